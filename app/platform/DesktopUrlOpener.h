#pragma once

#include "app/platform/UrlOpener.h"

namespace lumenscroll {

// Hands links to the desktop (QDesktopServices).
class DesktopUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};

} // namespace lumenscroll
