#pragma once

#include "CompactCoding/ElementList.h"

#include <memory>
#include <utility>

namespace coding {

// Makes a nested container of a list and puts it among the list's elements at once, so it keeps
// the position it was made at whatever is added before it is filled. A maker that throws leaves
// the list unchanged.
template <class Maker>
auto appendEncodingContainer(Maker&& make, ElementList& elements) {
    auto container = std::forward<Maker>(make)();
    elements.appendContainer(container);
    return container;
}

} // namespace coding
