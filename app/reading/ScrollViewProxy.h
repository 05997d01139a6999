#pragma once

#include <cstdint>

namespace lumenscroll {

// Where a scrolled-to row comes to rest.
enum class ScrollAnchor { top, center };

// A page's handle on its verse list, kept once the list is on screen, through which the
// page's handlers scroll to a row by its identity (the verse position, or the chapter note's
// identity after the last verse). The drawing layer implements it; a handle that outlives its
// list does nothing.
class ScrollViewProxy {
public:
    // The chapter note section after the last verse.
    static constexpr std::int64_t chapterNoteIdentity = 1002;

    virtual ~ScrollViewProxy() = default;
    // `animated`: in the default animation rather than at once. An identity without a row
    // scrolls nowhere.
    virtual void scrollTo(std::int64_t identity, ScrollAnchor anchor, bool animated) = 0;
};

} // namespace lumenscroll
