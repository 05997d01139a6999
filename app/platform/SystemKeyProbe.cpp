#include "app/platform/SystemKeyProbe.h"

#include <QGuiApplication>

namespace lumenscroll {

bool SystemKeyProbe::isOptionKeyDown() const {
    // Queried, not taken from the last event: at launch no key event has arrived yet.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

} // namespace lumenscroll
