#pragma once

#include <QString>

namespace lumenscroll {

// The user defaults that keep the font choices as indexes: the preferences write them, the
// verse rows and the search page read them.
inline const QString fontSizeKey = QStringLiteral("fontSize");
inline const QString fontColorKey = QStringLiteral("fontColor");
inline const QString fontKey = QStringLiteral("font");

} // namespace lumenscroll
