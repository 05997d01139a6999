#pragma once

#include <cstdint>

namespace lumenscroll {

// The holder of the one process-wide value the carousel shares with the reading pages outside
// the shared state. Header only: the reading pages read it without linking the shell.
class Utils {
public:
    Utils() = delete;

    // The page the carousel shows, as it last reported it: the page last added, selected, or
    // left current by a close; -1 before the carousel has reported any. Main thread only.
    static inline std::int64_t currentIndex = -1;
};

} // namespace lumenscroll
