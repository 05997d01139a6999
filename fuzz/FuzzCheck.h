#pragma once

// A broken invariant ends the run as a crash, so that libFuzzer keeps the input as a finding.

#include <cstdio>
#include <cstdlib>

namespace fuzzing {

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void check(bool holds, const char* what) {
    if (!holds) {
        fail(what);
    }
}

} // namespace fuzzing
