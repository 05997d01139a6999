#include "app/platform/TextFileCache.h"

#include "app/platform/Clock.h"

#include <chrono>
#include <cstdint>
#include <utility>

namespace lumenscroll {

const std::string* TextFileCache::find(const QString& path, const FileStamp& stamp) const {
    return last_ && last_->stamp == stamp && last_->path == path ? &last_->text : nullptr;
}

const std::string& TextFileCache::keep(const QString& path, const std::optional<FileStamp>& stamp,
                                       std::string text) {
    using std::chrono::milliseconds;
    const std::chrono::nanoseconds now = milliseconds(clock_.now().toMSecsSinceEpoch());
    const std::int64_t settled = (now - std::chrono::seconds(1)).count();
    const bool settledFile = stamp && stamp->modifiedNs < settled;
    last_ = Entry{path, settledFile ? stamp : std::nullopt, std::move(text)};
    return last_->text;
}

} // namespace lumenscroll
