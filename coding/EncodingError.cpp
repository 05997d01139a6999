#include "coding/EncodingError.h"

namespace coding {

void EncodingError::prependPath(const CodingPath& prefix) {
    context_.codingPath.insert(context_.codingPath.begin(), prefix.begin(), prefix.end());
    invalidateDescription();
}

std::string EncodingError::describe() const {
    return "invalidValue at \"" + describePath(context_.codingPath) + "\": " + context_.debugDescription;
}

} // namespace coding
