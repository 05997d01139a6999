// Arbitrary bytes for the protobuf-compatible decoder, as one value of a fuzzed record (or a list,
// map, text or number). The first byte chooses the type; the rest is the value's bytes. A coding
// error is the expected answer to bad bytes; anything else (a crash, a hang, a sanitizer report,
// another exception, a value that does not encode back the same) is a finding.

#include "ProtobufFuzzedTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    protofuzz::withType(data[0], [&]<class T>(const T&) {
        std::optional<T> value;
        try {
            value.emplace(coding::ProtobufDecoder().decode<T>(bytes));
        } catch (const coding::CodingError&) {
            return;
        }
        protofuzz::checkReencodes(*value);
    });
    return 0;
}
