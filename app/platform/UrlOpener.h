#pragma once

#include <QUrl>

namespace lumenscroll {

// Opens a link in the user's browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when nothing could open it.
    virtual bool open(const QUrl& url) = 0;
};

} // namespace lumenscroll
