#pragma once

#include <QString>

namespace lumenscroll {

// The pasteboard, for copied verses.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces whatever the clipboard held with `text`.
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
};

} // namespace lumenscroll
