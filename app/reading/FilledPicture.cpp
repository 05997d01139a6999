#include "app/reading/FilledPicture.h"

#include "app/platform/ResourceLocator.h"

#include <QPixmapCache>
#include <QString>

#include <optional>

namespace lumenscroll {

QPixmap filledPicture(const ResourceLocator& resources, const std::string& name, QSize frame) {
    if (name.empty()) {
        return {};
    }
    const std::optional<QString> path = resources.path(QString::fromStdString(name), QStringLiteral("png"));
    if (!path) {
        return {};
    }
    // Every page shows one of the same few photos: the pages share each one as scaled.
    const QString key =
        QStringLiteral("lumenscroll-filled:%1x%2:").arg(frame.width()).arg(frame.height()) + *path;
    QPixmap image;
    if (QPixmapCache::find(key, &image)) {
        return image;
    }
    image = QPixmap(*path);
    if (image.isNull()) {
        return {};
    }
    image = image.scaled(frame, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    image = image.copy((image.width() - frame.width()) / 2, (image.height() - frame.height()) / 2, frame.width(),
                       frame.height());
    QPixmapCache::insert(key, image);
    return image;
}

} // namespace lumenscroll
