#pragma once

#include "CompactCoding/BinaryStreamProvider.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace coding {

// An open file, read and written through a POSIX descriptor; the byte source of the file decoder
// and the sink of the file encoder. Failures of the operating system are std::system_error and
// pass through unchanged; a file that ends before a read is complete is the data-corrupted error
// "Premature end of data".
class FileHandle final : public BinaryStreamProvider {
public:
    // Throws std::system_error when the file cannot be opened.
    static FileHandle openForReading(const std::filesystem::path& path);
    // The file must exist; writing starts at its beginning until seekToEnd().
    static FileHandle openForWriting(const std::filesystem::path& path);

    // Takes ownership of an open descriptor.
    explicit FileHandle(int descriptor) : descriptor_(descriptor) {}
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    // Closes the file, dropping any error of the close.
    ~FileHandle() override;

    // Reads in bounded pieces, so a count taken from hostile data never allocates more than the
    // file delivers.
    std::span<const std::uint8_t> getBytes(std::size_t count, const CodingPath& path) override;
    // Looks one byte ahead and keeps it for the next read; the byte is not consumed.
    bool hasMoreBytes() override;

    void write(std::span<const std::uint8_t> bytes);
    std::uint64_t offset() const;
    void seek(std::uint64_t offset);
    std::uint64_t seekToEnd();
    void close();

    bool isOpen() const { return descriptor_ >= 0; }
    int descriptor() const { return descriptor_; }

private:
    // The byte that hasMoreBytes() read ahead is logically unread: move the descriptor back.
    void returnLookahead();

    int descriptor_ = -1;
    std::optional<std::uint8_t> lookahead_;
    std::vector<std::uint8_t> readBuffer_;
};

} // namespace coding
