#pragma once

#include <cstdint>

namespace lumenscroll {

// What a regular file was at one moment: which file (device and inode), its size, and when its
// content and its entry last changed, to the nanosecond. Two equal stamps of one path mean that
// nothing wrote, replaced or removed the file in between: a replacement is a new inode, and a
// write in place moves the change times.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

} // namespace lumenscroll
