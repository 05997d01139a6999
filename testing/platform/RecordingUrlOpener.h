#pragma once

#include "app/platform/UrlOpener.h"

#include <QList>

namespace lumenscroll {

// Remembers the links it was asked to open and opens none (tests).
class RecordingUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl& url) override {
        urls_.append(url);
        return true;
    }
    const QList<QUrl>& urls() const { return urls_; }

private:
    QList<QUrl> urls_;
};

} // namespace lumenscroll
