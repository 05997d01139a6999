#pragma once

#include "app/platform/CursorStack.h"

namespace lumenscroll {

// Qt's application-wide override cursor (needs a QGuiApplication).
class OverrideCursorStack final : public CursorStack {
public:
    void push(Qt::CursorShape shape) override;
    void pop() override;
    int depth() const override { return depth_; }

private:
    // Only our own pushes are popped, so an unmatched pop cannot remove someone else's cursor.
    int depth_ = 0;
};

} // namespace lumenscroll
