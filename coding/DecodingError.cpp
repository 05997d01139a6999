#include "coding/DecodingError.h"

namespace coding {

void DecodingError::prependPath(const CodingPath& prefix) {
    context_.codingPath.insert(context_.codingPath.begin(), prefix.begin(), prefix.end());
    invalidateDescription();
}

void DecodingError::prependKey(const CodingKey& key) {
    context_.codingPath.insert(context_.codingPath.begin(), key);
    invalidateDescription();
}

std::string DecodingError::describe() const {
    std::string text;
    switch (kind_) {
    case Kind::typeMismatch:
        text = "typeMismatch(" + typeName_ + ")";
        break;
    case Kind::valueNotFound:
        text = "valueNotFound(" + typeName_ + ")";
        break;
    case Kind::keyNotFound:
        text = "keyNotFound(\"" + key_.stringValue + "\")";
        break;
    case Kind::dataCorrupted:
        text = "dataCorrupted";
        break;
    }
    return text + " at \"" + describePath(context_.codingPath) + "\": " + context_.debugDescription;
}

} // namespace coding
