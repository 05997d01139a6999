#pragma once

#include "CompactCoding/protobuf/ProtoDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDictDecodingNode.h"
#include "CompactCoding/protobuf/ProtoDecodeCall.h"
#include "coding/Codable.h"
#include "coding/Data.h"
#include "coding/UserInfo.h"

#include <cstdint>
#include <memory>
#include <span>

namespace coding {

// Reads values back from the protobuf wire format, as written by ProtobufEncoder or by any
// protobuf implementation for the matching definition. Missing fields decode as their type's
// zero, absent optionals as nil, missing lists and maps as empty; field numbers the value does
// not use are parsed and ignored. Every fault of the data is thrown to the caller: the
// coding interface's data-corrupted errors, ProtobufDecodingError, and for a field number out of
// range ProtobufEncodingError integerKeyOutOfRange. Bad input never stops the program.
//
// Each call builds its own nodes over the input, read in place; nothing is kept afterwards. A call
// reads the input once more for each list field of its types that it learns holds numbers, and no
// more often however many lists the input holds (ProtoDecodeCall).
class ProtobufDecoder {
public:
    // Handed to the values' own coding; no option is read from it.
    UserInfo userInfo;

    template <class T>
    T decode(std::span<const std::uint8_t> data) const {
        ProtoDecodeCall call(userInfo);
        return call.read([&]() -> T {
            if constexpr (Codable<T>::isMap) {
                ProtoDictDecodingNode root(ProtoStorage::bytes(data), call, 0);
                return Codable<T>::decode(root);
            } else {
                ProtoDecodingNode root(ProtoStorage::bytes(data), call, 0);
                return Codable<T>::decode(root);
            }
        });
    }
    template <class T>
    T decode(const Data& data) const {
        return decode<T>(data.span());
    }

    // The same with a decoder of no options.
    template <class T>
    static T decodeWithDefaults(std::span<const std::uint8_t> data) {
        return ProtobufDecoder().decode<T>(data);
    }
    template <class T>
    static T decodeWithDefaults(const Data& data) {
        return ProtobufDecoder().decode<T>(data.span());
    }
};

} // namespace coding
