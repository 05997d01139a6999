#pragma once

#include "app/platform/Clipboard.h"

namespace lumenscroll {

// A clipboard of the process's own, for tests: nothing reaches the desktop.
class MemoryClipboard final : public Clipboard {
public:
    void setText(const QString& text) override {
        text_ = text;
        ++writes_;
    }
    QString text() const override { return text_; }
    int writeCount() const { return writes_; }

private:
    QString text_;
    int writes_ = 0;
};

} // namespace lumenscroll
