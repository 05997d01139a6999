#pragma once

#include "app/platform/KeyProbe.h"

namespace lumenscroll {

// Reads the keyboard's state at the moment of the call (needs a QGuiApplication).
class SystemKeyProbe final : public KeyProbe {
public:
    bool isOptionKeyDown() const override;
};

} // namespace lumenscroll
