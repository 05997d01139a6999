#include "app/shell/RatError.h"

namespace lumenscroll {

namespace {

const char* describe(RatError::Case errorCase) {
    switch (errorCase) {
    case RatError::fileNotFound:
        return "the image file was not found";
    case RatError::noImages:
        return "the data holds no image";
    case RatError::noImageProperties:
        return "a frame has no properties";
    case RatError::noImageDictionary:
        return "a frame lacks the properties of its format";
    case RatError::noImageTimingInfo:
        return "a frame has no usable delay";
    }
    return "unknown image error";
}

} // namespace

RatError::RatError(Case errorCase)
    : std::runtime_error(describe(errorCase))
    , case_(errorCase) {}

} // namespace lumenscroll
