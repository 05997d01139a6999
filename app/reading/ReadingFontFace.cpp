#include "app/reading/ReadingFontFace.h"

#include "app/platform/Look.h"

namespace lumenscroll {

QFont readingFontFace(const std::optional<ReadingFont>& font, int points) {
    if (!font) {
        return Look::font(QString(), points);
    }
    QFont face = Look::font(QString::fromUtf8(font->family.data(), static_cast<qsizetype>(font->family.size())), points);
    face.setWeight(static_cast<QFont::Weight>(font->weight));
    return face;
}

} // namespace lumenscroll
