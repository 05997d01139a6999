#include "app/platform/DesktopUrlOpener.h"

#include <QDesktopServices>

namespace lumenscroll {

bool DesktopUrlOpener::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace lumenscroll
