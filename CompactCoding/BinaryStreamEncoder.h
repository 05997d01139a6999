#pragma once

#include "CompactCoding/BinaryEncoder.h"
#include "coding/Data.h"

#include <cstdint>
#include <ranges>
#include <type_traits>
#include <utility>
#include <vector>

namespace coding {

// Frames elements of one type for a stream: each element is its value in length-prefixed form,
// one after the other, with no header, count or terminator. A reader takes them back one by one
// with BinaryStreamDecoder (bytes in memory) or BinaryFileDecoder (a file).
template <class T>
class BinaryStreamEncoder {
public:
    explicit BinaryStreamEncoder(BinaryEncoder encoder = BinaryEncoder()) : encoder_(std::move(encoder)) {}

    // The frame of one element.
    Data encode(const T& element) const { return encoder_.encodeForStream(element); }

    // Appends the frame of one element to `out`; on failure `out` is left as it was.
    void append(const T& element, std::vector<std::uint8_t>& out) const { encoder_.appendForStream(element, out); }

    // The frames of all elements, in order. The first failing element is thrown and nothing is
    // returned.
    template <std::ranges::input_range Elements>
        requires std::is_convertible_v<std::ranges::range_reference_t<Elements>, const T&>
    Data encodeContents(Elements&& elements) const {
        std::vector<std::uint8_t> out;
        for (const T& element : elements)
            encoder_.appendForStream(element, out);
        return Data(std::move(out));
    }

    // The options every element is encoded with.
    const BinaryEncoder& encoder() const { return encoder_; }
    BinaryEncoder& encoder() { return encoder_; }

private:
    BinaryEncoder encoder_;
};

} // namespace coding
