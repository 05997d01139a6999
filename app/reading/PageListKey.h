#pragma once

namespace lumenscroll {

// What a write to a page list of UserSettings (roles, selectedBibleArray, bookmarkArray,
// OverAllSectionQTRecord, foundSectionVerseAndPraiseArray) needs: only OpenPages, which keeps
// those lists parallel, can make one. Tests, which arrange the lists as a case needs them,
// parallel or not, get theirs from testing/reading/PageListKeyForTests.h.
class PageListKey {
    PageListKey() = default;

    friend class OpenPages;
    friend struct PageListKeyForTests;
};

} // namespace lumenscroll
