#pragma once

#include "CompactCoding/BinaryStreamProvider.h"
#include "CompactCoding/DecodingNode.h"
#include "coding/Codable.h"
#include "coding/Data.h"
#include "coding/UserInfo.h"

#include <cstdint>
#include <memory>
#include <span>

namespace coding {

// Reads values back from the compact format. Each call builds a fresh tree of decoding nodes
// over the input and keeps nothing afterwards, so one decoder serves any number of calls.
class BinaryDecoder {
public:
    UserInfo userInfo;
    // Must match the encoder's prependNilIndexSetForUnkeyedContainers: the data does not say.
    bool containsNilIndexSetForUnkeyedContainers = false;

    // What the nodes see: userInfo, with "nilIndices" set when the option is on.
    UserInfo effectiveUserInfo() const;

    // One value from the whole buffer. The bytes are read in place, not copied.
    template <class T>
    T decode(std::span<const std::uint8_t> data) const {
        const UserInfo info = effectiveUserInfo();
        DecodingNode root(Storage::data(data), false, false, rootPath(), borrowed(info), 0);
        return Codable<T>::decode(root);
    }
    template <class T>
    T decode(const Data& data) const {
        return decode<T>(data.span());
    }

    // One value whose bytes are taken from `source`, exactly as far as the value reaches: a record
    // or list as its length-prefixed bytes, an optional as its marker and value, any other value
    // by its wire type. The stream and file decoders read element after element this way.
    template <class T>
    T decodeFromProvider(BinaryStreamProvider& source) const {
        const UserInfo info = effectiveUserInfo();
        DecodingNode root(Storage::decoder(borrowed(source)), false, false, rootPath(), borrowed(info), 0);
        return Codable<T>::decode(root);
    }

    // The same with a decoder of default options.
    template <class T>
    static T decodeWithDefaults(std::span<const std::uint8_t> data) {
        return BinaryDecoder().decode<T>(data);
    }
    template <class T>
    static T decodeWithDefaults(const Data& data) {
        return BinaryDecoder().decode<T>(data.span());
    }

private:
    // The nodes of one call, and the containers they hand out, live no longer than the call: they
    // borrow the call's path, options and source instead of counting references to them.
    template <class T>
    static std::shared_ptr<T> borrowed(T& object) {
        return std::shared_ptr<T>(std::shared_ptr<void>(), &object);
    }
    static std::shared_ptr<const CodingPath> rootPath();
};

} // namespace coding
