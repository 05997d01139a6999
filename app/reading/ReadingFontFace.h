#pragma once

#include "app/reading/ReadingFont.h"

#include <QFont>

#include <optional>

namespace lumenscroll {

// The installed face of a reading font at `points`, in its own weight; the default family for
// none.
QFont readingFontFace(const std::optional<ReadingFont>& font, int points);

} // namespace lumenscroll
