#pragma once

#include "CompactCoding/BinaryStreamProvider.h"

#include <memory>

namespace coding {

// Reads a buffer in memory: the whole input, a container's bytes, or a value's bytes. It never
// copies; the buffer belongs to the caller or to `keepAlive`, which holds it while this exists.
class DataDecoder final : public BinaryStreamProvider {
public:
    explicit DataDecoder(std::span<const std::uint8_t> data, std::shared_ptr<const void> keepAlive = {})
        : data_(data), keepAlive_(std::move(keepAlive)) {}

    std::span<const std::uint8_t> getBytes(std::size_t count, const CodingPath& path) override {
        if (count > data_.size() - index_)
            prematureEnd(path);
        const auto bytes = data_.subspan(index_, count);
        index_ += count;
        return bytes;
    }
    bool hasMoreBytes() override { return index_ < data_.size(); }
    bool bytesStayValid() const override { return true; }
    DataDecoder* asDataDecoder() override { return this; }

    std::span<const std::uint8_t> getVarintBytes(const CodingPath& path) override {
        std::size_t length = 0;
        readVariableLengthInteger(data_.subspan(index_), length, path);
        return getBytes(length, path);
    }
    std::span<const std::uint8_t> getDataOfType(DataType type, const CodingPath& path) override;

    // The integer itself, without handing out its bytes.
    std::uint64_t readVarint(const CodingPath& path) {
        std::size_t length = 0;
        const std::uint64_t value = readVariableLengthInteger(data_.subspan(index_), length, path);
        index_ += length;
        return value;
    }

    std::span<const std::uint8_t> data() const { return data_; }
    // Counted from the first byte of data(), which may lie anywhere in a larger buffer.
    std::size_t index() const { return index_; }
    std::size_t remaining() const { return data_.size() - index_; }
    const std::shared_ptr<const void>& keepAlive() const { return keepAlive_; }

private:
    [[noreturn]] static void prematureEnd(const CodingPath& path);

    std::span<const std::uint8_t> data_;
    std::size_t index_ = 0;
    std::shared_ptr<const void> keepAlive_;
};

} // namespace coding
