#pragma once

#include "app/platform/CursorStack.h"

#include <QList>

namespace lumenscroll {

// Keeps the pushed shapes and shows none (tests).
class RecordingCursorStack final : public CursorStack {
public:
    void push(Qt::CursorShape shape) override { shapes_.append(shape); }
    void pop() override {
        if (!shapes_.isEmpty()) {
            shapes_.removeLast();
        }
    }
    int depth() const override { return static_cast<int>(shapes_.size()); }
    const QList<Qt::CursorShape>& shapes() const { return shapes_; }

private:
    QList<Qt::CursorShape> shapes_;
};

} // namespace lumenscroll
