#pragma once

#include "coding/Coding.h"

#include <cstdint>
#include <vector>

namespace coding {

// Writes any value that describes itself through the coding interface in the compact format.
// Each call builds a fresh tree of nodes, lets the value describe itself, and only then writes
// the bytes, so a failing value leaves nothing half-written.
class BinaryEncoder {
public:
    // Keyed entries in the order of their keys (otherwise in the order they were encoded).
    bool sortKeysDuringEncoding = false;
    // Every list begins with the positions of its nil elements, so a decoder can restore them.
    bool prependNilIndexSetForUnkeyedContainers = false;
    // Handed to the values' own coding; the two options above are added under "sort" and
    // "nilIndices" (an entry the caller put there counts when the option is off).
    UserInfo userInfo;

    template <class T>
    Data encode(const T& value) const {
        std::vector<std::uint8_t> out;
        encodeItem(makeEncodeItem(value), Form::whole, out);
        return Data(std::move(out));
    }

    // One element of a stream or file: the value in its length-prefixed form (a byte count before
    // records, lists, texts and blobs), appended to `out`. On failure `out` is left as it was.
    template <class T>
    void appendForStream(const T& value, std::vector<std::uint8_t>& out) const {
        encodeItem(makeEncodeItem(value), Form::lengthPrefixed, out);
    }

    template <class T>
    Data encodeForStream(const T& value) const {
        std::vector<std::uint8_t> out;
        appendForStream(value, out);
        return Data(std::move(out));
    }

    // The same with an encoder of default options: both off, no user info.
    template <class T>
    static Data encodeWithDefaults(const T& value) {
        return BinaryEncoder().encode(value);
    }

    // What every node of a call sees as its user info.
    UserInfo effectiveUserInfo() const;

private:
    enum class Form { whole, lengthPrefixed };

    void encodeItem(const EncodeItem& item, Form form, std::vector<std::uint8_t>& out) const;
};

} // namespace coding
