#include "coding/CodingKey.h"

namespace coding {

std::string describePath(const CodingPath& path) {
    std::string text;
    for (const auto& key : path) {
        if (!text.empty())
            text += '.';
        text += key.stringValue;
    }
    return text;
}

} // namespace coding
