#pragma once

#include "app/platform/KeyProbe.h"

namespace lumenscroll {

// Reports whatever the test set (tests).
class FixedKeyProbe final : public KeyProbe {
public:
    bool isOptionKeyDown() const override { return optionKeyDown_; }
    void setOptionKeyDown(bool down) { optionKeyDown_ = down; }

private:
    bool optionKeyDown_ = false;
};

} // namespace lumenscroll
