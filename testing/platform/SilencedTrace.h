#pragma once

#include "app/platform/Trace.h"

#include <QString>

#include <utility>

namespace lumenscroll {

// Drops the trace lines written while it lives (a benchmark's: printing them is the terminal's
// cost, not the code's); the sink that was in place before comes back when it is destroyed.
class SilencedTrace {
public:
    SilencedTrace()
        : previous_(setTraceSink([](const QString&) {})) {}
    ~SilencedTrace() { setTraceSink(std::move(previous_)); }
    SilencedTrace(const SilencedTrace&) = delete;
    SilencedTrace& operator=(const SilencedTrace&) = delete;

private:
    TraceSink previous_;
};

} // namespace lumenscroll
