#pragma once

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryStreamBuffer.h"
#include "CompactCoding/FileHandle.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace coding {

namespace detail {

// Throws std::system_error when the file cannot be opened for reading.
std::shared_ptr<FileHandle> openFileForDecoding(const std::filesystem::path& path);

} // namespace detail

// Reads back, one by one, the elements that BinaryFileEncoder appended to a file. It fetches from
// the file only the bytes of the element being read, and never more than the file holds, so a
// hostile length fails with "Premature end of data" instead of allocating. A file that ends
// inside an element fails that element the same way.
template <class T>
class BinaryFileDecoder {
public:
    explicit BinaryFileDecoder(const std::filesystem::path& path, BinaryDecoder decoder = BinaryDecoder())
        : handle_(detail::openFileForDecoding(path)), decoder_(std::move(decoder)), buffer_(handle_) {}

    // The next element, or none at the end of the file. After an error, reading goes on after
    // the bytes the failed element consumed.
    std::optional<T> readElement() {
        std::size_t taken = 0;
        return readNext(taken);
    }

    // Calls `handler` with every remaining element in file order; an error of reading or of the
    // handler ends the reading and is thrown.
    template <class Handler>
    void read(Handler&& handler) {
        std::size_t taken = 0;
        while (std::optional<T> element = readNext(taken)) {
            handler(std::move(*element));
            // An element that takes no bytes would be found again and again.
            if (taken == 0)
                return;
        }
    }

    // Every remaining element; throws the first error.
    std::vector<T> readAll() {
        std::vector<T> elements;
        read([&elements](T&& element) { elements.push_back(std::move(element)); });
        return elements;
    }

    // The elements before the first error. The error itself goes to `error` when one is given
    // (and stays null when the file ended cleanly); otherwise it is dropped.
    std::vector<T> readAllUntilError(std::exception_ptr* error = nullptr) {
        std::vector<T> elements;
        try {
            read([&elements](T&& element) { elements.push_back(std::move(element)); });
        } catch (...) {
            if (error)
                *error = std::current_exception();
        }
        return elements;
    }

    // Closes the file; an error of the close is thrown. Being destroyed closes it too, dropping
    // any error.
    void close() { handle_->close(); }

    const BinaryDecoder& decoder() const { return decoder_; }
    BinaryDecoder& decoder() { return decoder_; }

private:
    // The next element, with the number of bytes it took from the file in `taken`.
    std::optional<T> readNext(std::size_t& taken) {
        taken = 0;
        // Looks ahead without consuming: the byte stays the first of the element.
        if (!buffer_.hasMoreBytes())
            return std::nullopt;
        // An optional element reads its own marker byte, like any element read from a source.
        try {
            std::optional<T> element(decoder_.template decodeFromProvider<T>(buffer_));
            taken = buffer_.index();
            buffer_.clear();
            return element;
        } catch (...) {
            buffer_.clear();
            throw;
        }
    }

    std::shared_ptr<FileHandle> handle_;
    BinaryDecoder decoder_;
    // The bytes of the element being read; emptied after each element.
    BinaryStreamBuffer buffer_;
};

} // namespace coding
