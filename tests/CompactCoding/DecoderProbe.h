#pragma once

// Runs a test's checks inside a decoding call, on the decoder the call hands out.

#include "CompactCoding/BinaryDecoder.h"
#include "coding/Codable.h"

#include <functional>

namespace decodertest {

struct Probe {
    static inline std::function<void(coding::Decoder&)> body;
    static Probe decode(coding::Decoder& decoder) {
        body(decoder);
        return {};
    }
};

inline void probe(const std::vector<std::uint8_t>& bytes, std::function<void(coding::Decoder&)> body,
                  const coding::BinaryDecoder& decoder = {}) {
    Probe::body = std::move(body);
    decoder.decode<Probe>(bytes);
}

inline void probe(coding::BinaryStreamProvider& source, std::function<void(coding::Decoder&)> body,
                  const coding::BinaryDecoder& decoder = {}) {
    Probe::body = std::move(body);
    decoder.decodeFromProvider<Probe>(source);
}

} // namespace decodertest
