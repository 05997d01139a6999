#include "coding/CodingError.h"

namespace coding {

const char* CodingError::what() const noexcept {
    if (!described_) {
        try {
            description_ = describe();
        } catch (...) {
            description_ = "coding error";
        }
        described_ = true;
    }
    return description_.c_str();
}

} // namespace coding
