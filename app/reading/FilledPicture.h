#pragma once

#include <QPixmap>
#include <QSize>

#include <string>

namespace lumenscroll {

class ResourceLocator;

// The PNG picture `name` among the resources, scaled to fill `frame` with its proportions kept
// and cut to it around its centre: a page's title photo, the search page's header. A null
// pixmap for an empty name or a picture that is missing or unreadable.
QPixmap filledPicture(const ResourceLocator& resources, const std::string& name, QSize frame);

} // namespace lumenscroll
