#pragma once

#include <Qt>

namespace lumenscroll {

// Cursors pushed over the whole application (the pointing hand over a link) and popped again.
class CursorStack {
public:
    virtual ~CursorStack() = default;
    virtual void push(Qt::CursorShape shape) = 0;
    // Pops the cursor pushed last; does nothing when none is pushed.
    virtual void pop() = 0;
    virtual int depth() const = 0;
};

} // namespace lumenscroll
