#pragma once

#include "app/platform/Trace.h"

#include <QString>
#include <QStringList>

namespace lumenscroll {

// Collects the trace lines written while it lives, instead of printing them; the sink that
// was in place before comes back when it is destroyed, so captures nest.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const QStringList& lines() const { return lines_; }
    bool contains(const QString& line) const { return lines_.contains(line); }
    void clear() { lines_.clear(); }

private:
    QStringList lines_;
    TraceSink previous_;
};

} // namespace lumenscroll
