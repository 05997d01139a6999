#include "app/platform/TextFileCache.h"

#include "app/platform/Clock.h"

#include <chrono>
#include <cstdint>

namespace lumenscroll {

std::optional<std::string> TextFileCache::find(const QString& path, const FileStamp& stamp) const {
    if (last_ && last_->path == path && last_->stamp == stamp) {
        return last_->text;
    }
    return std::nullopt;
}

void TextFileCache::keep(const QString& path, const FileStamp& stamp, std::string text) {
    using std::chrono::milliseconds;
    using std::chrono::nanoseconds;
    const nanoseconds now = milliseconds(clock_.now().toMSecsSinceEpoch());
    const std::int64_t settled = (now - std::chrono::seconds(1)).count();
    if (stamp.modifiedNs < settled) {
        last_ = Entry{path, stamp, std::move(text)};
    }
}

} // namespace lumenscroll
