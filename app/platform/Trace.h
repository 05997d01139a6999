#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <string_view>

namespace lumenscroll {

// The application's diagnostics: plain lines, no levels, one per call. By default each line
// goes to standard output as UTF-8 with a line feed; a test installs a sink to read them.
void trace(const QString& line);
void trace(std::string_view utf8Line);
void trace(const char* utf8Line);
// A failure: "error " and what it says.
void traceError(const QString& message);
void traceError(const std::exception& error);

using TraceSink = std::function<void(const QString& line)>;

// Sends every later line to `sink` instead of standard output (an empty sink restores
// standard output); returns the sink that was in place.
TraceSink setTraceSink(TraceSink sink);

} // namespace lumenscroll
