// Arbitrary bytes for the compact decoder, as one value of a model record (or a list or optional
// of them). The first byte chooses the type (low bits) and the nil-index option (bit 7); the rest
// is the value's bytes. A decoding error is the expected answer to bad bytes; anything else (a
// crash, a hang, a sanitizer report, another exception) is a finding.

#include "FuzzedTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    coding::BinaryDecoder decoder;
    decoder.containsNilIndexSetForUnkeyedContainers = (data[0] & 0x80) != 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);

    fuzzing::withType(data[0] & 0x7F, [&]<class T>(const T&) {
        std::optional<T> value;
        try {
            value.emplace(decoder.decode<T>(bytes));
        } catch (const coding::CodingError&) {
            return;
        }
        fuzzing::checkReencodes(*value, decoder);
    });
    return 0;
}
