#include "app/reading/FilledPicture.h"

#include "app/platform/ResourceLocator.h"

#include <QString>

#include <optional>

namespace lumenscroll {

QPixmap filledPicture(const ResourceLocator& resources, const std::string& name, QSize frame) {
    if (name.empty()) {
        return {};
    }
    const std::optional<QString> path = resources.path(QString::fromStdString(name), QStringLiteral("png"));
    QPixmap image = path ? QPixmap(*path) : QPixmap();
    if (image.isNull()) {
        return {};
    }
    image = image.scaled(frame, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return image.copy((image.width() - frame.width()) / 2, (image.height() - frame.height()) / 2,
                      frame.width(), frame.height());
}

} // namespace lumenscroll
