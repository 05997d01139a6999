#include "CompactCoding/FileHandle.h"

#include "coding/DecodingError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace coding {

namespace {

// Large enough to read a big element in few calls, small enough that a hostile length costs
// nothing before the file runs out.
constexpr std::size_t readChunkSize = 64 * 1024;

[[noreturn]] void throwSystemError(const char* operation) {
    throw std::system_error(errno, std::generic_category(), operation);
}

int openDescriptor(const std::filesystem::path& path, int flags) {
    int descriptor;
    do {
        descriptor = ::open(path.c_str(), flags | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        throw std::system_error(errno, std::generic_category(), "open " + path.string());
    return descriptor;
}

// Reads up to `count` bytes; fewer only at the end of the file.
std::size_t readFully(int descriptor, std::uint8_t* out, std::size_t count) {
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(descriptor, out + total, count - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError("read");
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

} // namespace

FileHandle FileHandle::openForReading(const std::filesystem::path& path) {
    return FileHandle(openDescriptor(path, O_RDONLY));
}

FileHandle FileHandle::openForWriting(const std::filesystem::path& path) {
    return FileHandle(openDescriptor(path, O_WRONLY));
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : BinaryStreamProvider(other), descriptor_(std::exchange(other.descriptor_, -1)),
      lookahead_(std::exchange(other.lookahead_, std::nullopt)), readBuffer_(std::move(other.readBuffer_)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        lookahead_ = std::exchange(other.lookahead_, std::nullopt);
        readBuffer_ = std::move(other.readBuffer_);
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::span<const std::uint8_t> FileHandle::getBytes(std::size_t count, const CodingPath& path) {
    readBuffer_.clear();
    if (count == 0)
        return {};
    if (lookahead_) {
        readBuffer_.push_back(*lookahead_);
        lookahead_.reset();
    }
    // A regular file says how much it holds: a count beyond that fails before anything is read.
    struct stat status {};
    if (::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode)) {
        const off_t position = ::lseek(descriptor_, 0, SEEK_CUR);
        if (position >= 0 && position <= status.st_size &&
            count - readBuffer_.size() > static_cast<std::uint64_t>(status.st_size - position)) {
            if (!readBuffer_.empty())
                lookahead_ = readBuffer_.front();
            readBuffer_.clear();
            throw DecodingError::dataCorrupted(path, "Premature end of data");
        }
    }
    while (readBuffer_.size() < count) {
        const std::size_t have = readBuffer_.size();
        const std::size_t piece = std::min(count - have, readChunkSize);
        readBuffer_.resize(have + piece);
        const std::size_t got = readFully(descriptor_, readBuffer_.data() + have, piece);
        readBuffer_.resize(have + got);
        if (got < piece)
            throw DecodingError::dataCorrupted(path, "Premature end of data");
    }
    return readBuffer_;
}

bool FileHandle::hasMoreBytes() {
    if (lookahead_)
        return true;
    if (descriptor_ < 0)
        return false;
    std::uint8_t byte = 0;
    try {
        if (readFully(descriptor_, &byte, 1) == 0)
            return false;
    } catch (const std::system_error&) {
        return false;
    }
    lookahead_ = byte;
    return true;
}

void FileHandle::returnLookahead() {
    if (!lookahead_)
        return;
    if (::lseek(descriptor_, -1, SEEK_CUR) < 0)
        throwSystemError("lseek");
    lookahead_.reset();
}

void FileHandle::write(std::span<const std::uint8_t> bytes) {
    returnLookahead();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(descriptor_, bytes.data() + written, bytes.size() - written);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError("write");
        }
        // A write that takes nothing would be asked again forever: report it as a full device.
        if (put == 0) {
            errno = ENOSPC;
            throwSystemError("write");
        }
        written += static_cast<std::size_t>(put);
    }
}

std::uint64_t FileHandle::offset() const {
    const off_t position = ::lseek(descriptor_, 0, SEEK_CUR);
    if (position < 0)
        throwSystemError("lseek");
    return static_cast<std::uint64_t>(position) - (lookahead_ ? 1 : 0);
}

void FileHandle::seek(std::uint64_t offset) {
    lookahead_.reset();
    if (::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) < 0)
        throwSystemError("lseek");
}

std::uint64_t FileHandle::seekToEnd() {
    lookahead_.reset();
    const off_t end = ::lseek(descriptor_, 0, SEEK_END);
    if (end < 0)
        throwSystemError("lseek");
    return static_cast<std::uint64_t>(end);
}

void FileHandle::close() {
    if (descriptor_ < 0)
        return;
    const int descriptor = std::exchange(descriptor_, -1);
    lookahead_.reset();
    if (::close(descriptor) < 0 && errno != EINTR)
        throwSystemError("close");
}

} // namespace coding
