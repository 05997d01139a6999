// Arbitrary bytes for the stream decoder, handed over once whole and once in pieces. The first
// byte chooses the element type (low bits) and the nil-index option (bit 7), the second seeds the
// sizes of the pieces and the way each piece is decoded. Both ways must find the same elements in
// the same order (the same bytes when framed again), the same number of errors and the same
// incomplete rest; the elements found must frame again into a stream that decodes without error.
// Decoding errors are expected; anything else is a finding.

#include "FuzzedTypes.h"

#include "CompactCoding/BinaryStreamDecoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <vector>

namespace {

template <class T>
struct Outcome {
    std::vector<T> elements;
    std::size_t errors = 0;
    std::size_t rest = 0;
};

// Counts a decoding error; any other exception goes on to the fuzzer as a finding.
void countError(const std::exception_ptr& error, std::size_t& errors) {
    try {
        std::rethrow_exception(error);
    } catch (const coding::CodingError&) {
        ++errors;
    }
}

template <class T>
void append(std::vector<T>& to, std::vector<T>&& from) {
    for (T& element : from)
        to.push_back(std::move(element));
}

// Everything left in the decoder: elements, and errors, until only an incomplete rest remains.
template <class T>
void drain(coding::BinaryStreamDecoder<T>& stream, Outcome<T>& outcome, std::size_t maxRounds) {
    for (std::size_t round = 0; round <= maxRounds; ++round) {
        auto [elements, error] = stream.decodeElementsUntilError();
        append(outcome.elements, std::move(elements));
        if (!error) {
            outcome.rest = stream.bufferedByteCount();
            return;
        }
        countError(error, outcome.errors);
    }
    fuzzing::fail("the stream decoder does not come to an end");
}

template <class T>
Outcome<T> decodeWhole(std::span<const std::uint8_t> bytes, const coding::BinaryDecoder& decoder) {
    coding::BinaryStreamDecoder<T> stream(decoder);
    stream.add(bytes);
    Outcome<T> outcome;
    drain(stream, outcome, bytes.size());
    return outcome;
}

template <class T>
Outcome<T> decodeInPieces(std::span<const std::uint8_t> bytes, std::uint32_t seed,
                          const coding::BinaryDecoder& decoder) {
    coding::BinaryStreamDecoder<T> stream(decoder);
    Outcome<T> outcome;
    std::uint32_t state = seed * 2654435761u + 1;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (std::size_t start = 0; start < bytes.size();) {
        // Some pieces of a byte or two, most of up to a few hundred: every piece that leaves an
        // element incomplete costs a failed read (an exception), so not all of them are tiny.
        const std::size_t wanted = next() % 8 == 0 ? next() % 4 : next() % 512;
        const std::size_t size = std::min(wanted, bytes.size() - start);
        const auto piece = bytes.subspan(start, size);
        start += size;
        switch (next() % 3) {
        case 0:
            // Elements before an error come with the next call.
            try {
                append(outcome.elements, stream.decode(piece));
            } catch (const coding::CodingError&) {
                ++outcome.errors;
            }
            break;
        case 1: {
            stream.add(piece);
            auto [elements, error] = stream.decodeElementsUntilError();
            append(outcome.elements, std::move(elements));
            if (error)
                countError(error, outcome.errors);
            break;
        }
        default:
            stream.add(piece);
            for (std::size_t round = 0; round <= bytes.size(); ++round) {
                try {
                    auto element = stream.decodeElement();
                    if (!element)
                        break;
                    outcome.elements.push_back(std::move(*element));
                } catch (const coding::CodingError&) {
                    ++outcome.errors;
                }
            }
            break;
        }
    }
    drain(stream, outcome, bytes.size());
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    coding::BinaryDecoder decoder;
    decoder.containsNilIndexSetForUnkeyedContainers = (data[0] & 0x80) != 0;
    const std::span<const std::uint8_t> bytes(data + 2, size - 2);

    fuzzing::withType(data[0] & 0x7F, [&]<class T>(const T&) {
        // Elements are compared by their bytes: a date can be NaN, which equals nothing.
        const coding::BinaryStreamEncoder<T> encoder(fuzzing::matchingEncoder(decoder));
        const auto frame = [&encoder](const std::vector<T>& elements) {
            try {
                return encoder.encodeContents(elements);
            } catch (const coding::CodingError&) {
                fuzzing::fail("decoded elements do not encode");
            }
        };

        const Outcome<T> whole = decodeWhole<T>(bytes, decoder);
        const Outcome<T> pieces = decodeInPieces<T>(bytes, data[1], decoder);
        const coding::Data framed = frame(whole.elements);
        if (pieces.elements.size() != whole.elements.size() || frame(pieces.elements) != framed)
            fuzzing::fail("decoding in pieces finds other elements");
        if (pieces.errors != whole.errors)
            fuzzing::fail("decoding in pieces finds another number of errors");
        if (pieces.rest != whole.rest)
            fuzzing::fail("decoding in pieces leaves another rest");

        // What was found frames again into a stream that reads back whole.
        const Outcome<T> again = decodeWhole<T>(framed.span(), decoder);
        if (again.errors != 0 || again.rest != 0 || again.elements.size() != whole.elements.size())
            fuzzing::fail("re-framed elements do not decode");
        if (frame(again.elements) != framed)
            fuzzing::fail("re-framed elements decode to other bytes");
    });
    return 0;
}
