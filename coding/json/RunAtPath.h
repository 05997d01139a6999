#pragma once

#include "coding/CodingKey.h"
#include "coding/DecodingError.h"
#include "coding/EncodingError.h"

#include <utility>

namespace coding {

// Runs a nested value's own coding for the value at `path`. Every container of this coder knows
// its full path and puts it into the errors it raises, and so does code that builds its error
// from a container's codingPath(). What arrives here with no path at all was raised where no
// container could see it (a null shared value is refused before it reaches one): it is given
// the path of the value being coded, the nearest place that is known.
template <class Body>
void runAtPath(const CodingPath& path, Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (EncodingError& error) {
        if (error.codingPath().empty())
            error.prependPath(path);
        throw;
    } catch (DecodingError& error) {
        if (error.codingPath().empty())
            error.prependPath(path);
        throw;
    }
}

} // namespace coding
