#pragma once

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/DataDecodingBuffer.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <iterator>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace coding {

// Takes back the elements a BinaryStreamEncoder framed, from bytes that arrive in any pieces.
// An element is returned once all of its bytes are in; the bytes of an element that is not
// complete yet stay buffered and it is read again from its start when more arrive.
//
// A real decoding error is thrown unchanged and leaves the buffer after the bytes the failed
// element consumed (discardBytes() skips further). Elements decoded before it in the same call
// are not lost: the next call returns them first, in order.
template <class T>
class BinaryStreamDecoder {
public:
    // The elements before the first error, and that error (null when there was none).
    struct ElementsAndError {
        std::vector<T> elements;
        std::exception_ptr error;
    };

    explicit BinaryStreamDecoder(BinaryDecoder decoder = BinaryDecoder()) : decoder_(std::move(decoder)) {}

    // Received bytes, kept until an element takes them.
    void add(std::span<const std::uint8_t> bytes) { buffer_.append(bytes); }

    // Removes up to `count` bytes from the front of the buffer and returns how many went.
    std::size_t discardBytes(std::size_t count) { return buffer_.discardBytes(count); }

    // Received bytes that no element has taken yet.
    std::size_t bufferedByteCount() const { return buffer_.buffer().size(); }

    // The next element, or none while its bytes have not all arrived.
    std::optional<T> decodeElement() {
        if (!pending_.empty()) {
            std::optional<T> element(std::move(pending_.front()));
            pending_.pop_front();
            return element;
        }
        if (!buffer_.hasMoreBytes())
            return std::nullopt;
        std::optional<T> element = decodeNext();
        if (element)
            buffer_.dropUsedBytes();
        return element;
    }

    // Adds the bytes and returns every element that is complete. With `returnElementsBeforeError`
    // an error is dropped and the elements before it are returned; otherwise it is thrown.
    std::vector<T> decode(std::span<const std::uint8_t> bytes, bool returnElementsBeforeError = false) {
        buffer_.append(bytes);
        if (returnElementsBeforeError)
            return decodeElementsUntilError().elements;
        return decodeElements();
    }

    // Every complete element in the buffer; throws the first error.
    std::vector<T> decodeElements() {
        ElementsAndError result = decodeElementsUntilError();
        if (result.error) {
            pending_.assign(std::make_move_iterator(result.elements.begin()),
                            std::make_move_iterator(result.elements.end()));
            std::rethrow_exception(result.error);
        }
        return std::move(result.elements);
    }

    // Every complete element in the buffer up to the first error, and that error. Never throws
    // a decoding error.
    ElementsAndError decodeElementsUntilError() {
        ElementsAndError result;
        result.elements.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
        pending_.clear();
        try {
            while (buffer_.hasMoreBytes()) {
                const std::size_t start = buffer_.index();
                std::optional<T> element = decodeNext();
                if (!element)
                    break;
                result.elements.push_back(std::move(*element));
                // An element that takes no bytes would be found again and again.
                if (buffer_.index() == start)
                    break;
            }
            // The decoded elements' bytes leave the buffer together, not one erase per element.
            buffer_.dropUsedBytes();
        } catch (...) {
            result.error = std::current_exception();
        }
        return result;
    }

    // The options every element is decoded with.
    const BinaryDecoder& decoder() const { return decoder_; }
    BinaryDecoder& decoder() { return decoder_; }

private:
    // One element from the read position, which ends up after it. When the buffer runs out
    // before the element does, the element's bytes become the start of the buffer, to be read
    // again, and none is returned. On any other failure the bytes read so far are dropped and
    // the error is thrown unchanged.
    std::optional<T> decodeNext() {
        const std::size_t start = buffer_.index();
        try {
            return decoder_.template decodeFromProvider<T>(buffer_);
        } catch (...) {
            if (!buffer_.didExceedBuffer()) {
                buffer_.dropUsedBytes();
                throw;
            }
        }
        buffer_.discardBytes(start);
        buffer_.clearExceeded();
        return std::nullopt;
    }

    BinaryDecoder decoder_;
    DataDecodingBuffer buffer_;
    // Decoded before an error was thrown; the next call hands them out first.
    std::deque<T> pending_;
};

} // namespace coding
