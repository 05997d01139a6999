#include "testing/platform/TraceCapture.h"

namespace lumenscroll {

TraceCapture::TraceCapture()
    : previous_(setTraceSink([this](const QString& line) { lines_.append(line); })) {}

TraceCapture::~TraceCapture() {
    setTraceSink(std::move(previous_));
}

} // namespace lumenscroll
