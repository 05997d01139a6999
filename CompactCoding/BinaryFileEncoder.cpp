#include "CompactCoding/BinaryFileEncoder.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace coding::detail {

FileHandle openFileForAppending(const std::filesystem::path& path) {
    // Creating and opening in one step: no other writer can slip in between a test for the
    // file and its creation, and an existing file is never emptied.
    int descriptor;
    do {
        descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        throw std::system_error(errno, std::generic_category(), "open " + path.string());
    FileHandle file(descriptor);
    file.seekToEnd();
    return file;
}

void appendFrame(FileHandle& file, std::span<const std::uint8_t> frame) {
    const std::uint64_t start = file.offset();
    try {
        file.write(frame);
    } catch (...) {
        // Part of the frame may have reached the file. A reader would take it for the start of an
        // element and every element appended later for its continuation, so it has to go.
        bool cut = false;
        try {
            int result;
            do {
                result = ::ftruncate(file.descriptor(), static_cast<off_t>(start));
            } while (result < 0 && errno == EINTR);
            if (result == 0) {
                file.seek(start);
                cut = true;
            }
        } catch (const std::system_error&) {
        }
        if (!cut) {
            try {
                file.close();
            } catch (const std::system_error&) {
            }
        }
        throw;
    }
}

} // namespace coding::detail
