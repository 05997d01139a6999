#include "app/platform/ObservableObject.h"

namespace lumenscroll {

ObservableObject::ObservableObject(QObject* parent)
    : QObject(parent)
    , forwardToSignal_(publisher_.sink([this] { emit objectWillChange(); })) {}

ObservableObject::~ObservableObject() = default;

} // namespace lumenscroll
