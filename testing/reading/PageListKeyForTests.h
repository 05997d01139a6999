#pragma once

#include "app/reading/PageListKey.h"

namespace lumenscroll {

// Tests arrange the page lists as a case needs them, parallel or not, past OpenPages, the
// program's one writer of them: this makes the key their writes take. Only tests, benchmarks
// and fuzz targets include it.
struct PageListKeyForTests {
    static PageListKey make() { return PageListKey(); }
};

namespace testing {

inline PageListKey pageListKey() {
    return PageListKeyForTests::make();
}

} // namespace testing

} // namespace lumenscroll
