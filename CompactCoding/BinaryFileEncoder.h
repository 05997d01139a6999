#pragma once

#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/BinaryStreamEncoder.h"
#include "CompactCoding/FileHandle.h"

#include <cstdint>
#include <filesystem>
#include <ranges>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace coding {

namespace detail {

// Opens the file for writing after what it holds, creating it (empty) when it is missing.
// Throws std::system_error when that fails.
FileHandle openFileForAppending(const std::filesystem::path& path);

// Writes one frame at the file's position. When the write fails or stops short, the file is cut
// back to where the frame began and the write's error is thrown: no later reader ever meets a
// partial frame. Should even the cut fail, the file is closed, so that no further frame is
// written after the partial one.
void appendFrame(FileHandle& file, std::span<const std::uint8_t> frame);

} // namespace detail

// Appends elements of one type to a file, framed as BinaryStreamEncoder frames them; a file
// that exists keeps its elements and gets the new ones after them. Read them back with
// BinaryFileDecoder.
template <class T>
class BinaryFileEncoder {
public:
    // Throws std::system_error when the file can be neither created nor opened for writing.
    explicit BinaryFileEncoder(const std::filesystem::path& path, BinaryEncoder encoder = BinaryEncoder())
        : handle_(detail::openFileForAppending(path)), stream_(std::move(encoder)) {}

    // Appends one element. An encoding error is thrown before anything is written; an error of
    // the write (std::system_error) leaves the file as it was before the call.
    void write(const T& element) {
        frame_.clear();
        stream_.append(element, frame_);
        detail::appendFrame(handle_, frame_);
    }

    // Appends the elements in order and stops at the first error, which is thrown; the elements
    // before it stay in the file.
    template <std::ranges::input_range Elements>
        requires std::is_convertible_v<std::ranges::range_reference_t<Elements>, const T&>
    void writeContents(Elements&& elements) {
        for (const T& element : elements)
            write(element);
    }

    // Closes the file; an error of the close is thrown. Being destroyed closes it too, dropping
    // any error.
    void close() { handle_.close(); }

    const BinaryEncoder& encoder() const { return stream_.encoder(); }
    BinaryEncoder& encoder() { return stream_.encoder(); }

private:
    FileHandle handle_;
    BinaryStreamEncoder<T> stream_;
    // The frame being written, kept so that its storage is reused.
    std::vector<std::uint8_t> frame_;
};

} // namespace coding
