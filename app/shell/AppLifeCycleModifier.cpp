#include "app/shell/AppLifeCycleModifier.h"

#include "app/platform/AppActivity.h"

namespace lumenscroll {

AppLifeCycleModifier::AppLifeCycleModifier(AppActivity& activity, Action action)
    : activity_(activity)
    , action_(std::move(action)) {}

void AppLifeCycleModifier::appear() {
    if (isShown()) {
        return;
    }
    subscription_ = activity_.onChange([this](bool active) { action_(active); });
}

void AppLifeCycleModifier::disappear() {
    subscription_.cancel();
}

} // namespace lumenscroll
