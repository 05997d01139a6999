#pragma once

#include "app/platform/Clipboard.h"

namespace lumenscroll {

// The desktop's clipboard (needs a QGuiApplication).
class SystemClipboard final : public Clipboard {
public:
    void setText(const QString& text) override;
    QString text() const override;
};

} // namespace lumenscroll
