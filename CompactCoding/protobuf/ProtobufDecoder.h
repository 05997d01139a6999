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
// Each call builds its own nodes over the input, read in place; nothing is kept afterwards, and
// nothing of a key set beyond the container it was given to.
//
// The cost of lists whose elements the bytes cannot tell (ProtoDecodeCall), whatever way a record is
// written (keys static, made in decode or dying before its lists are read, shared by several
// records, taken from the data; lists typed or read by hand, read by another field's value, their
// errors caught): a list of a type the library knows (a std::vector of numbers or texts) never
// guesses. Where elements take a zero, a wrong guess costs the value one more run at most: every
// record decodes at most twice however many lie side by side or within each other. Where they refuse
// it, the decode that made the list runs again, once for each of its lists that guessed wrong: a
// record decodes at most 1 + L times itself (L its lists that guess) plus once for each such run of
// a record around it that had read it already, so at most (1 + L) times its depth; records side by
// side, or a message of numbered keys, cost 1 + L runs each. Each run again has learned a place it
// did not know, so every decode ends.
class ProtobufDecoder {
public:
    // Handed to the values' own coding; no option is read from it.
    UserInfo userInfo;

    template <class T>
    T decode(std::span<const std::uint8_t> data) const {
        ProtoDecodeCall call(userInfo);
        return call.inFrame([&]() -> T {
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
