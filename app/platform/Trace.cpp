#include "app/platform/Trace.h"

#include <QByteArray>

#include <cstdio>
#include <utility>

namespace lumenscroll {

namespace {

TraceSink& currentSink() {
    static TraceSink sink;
    return sink;
}

void writeToStandardOutput(const QString& line) {
    QByteArray bytes = line.toUtf8();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

} // namespace

void trace(const QString& line) {
    if (const TraceSink& sink = currentSink()) {
        sink(line);
        return;
    }
    writeToStandardOutput(line);
}

void trace(std::string_view utf8Line) {
    trace(QString::fromUtf8(utf8Line.data(), static_cast<qsizetype>(utf8Line.size())));
}

void trace(const char* utf8Line) {
    trace(QString::fromUtf8(utf8Line));
}

void traceError(const QString& message) {
    trace(QStringLiteral("error ") + message);
}

void traceError(const std::exception& error) {
    trace(QStringLiteral("error ") + QString::fromUtf8(error.what()));
}

TraceSink setTraceSink(TraceSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

} // namespace lumenscroll
