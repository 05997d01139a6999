#include "app/model/TextPieces.h"

#include <algorithm>
#include <cstddef>

namespace lumenscroll {

std::vector<std::string_view> textPieces(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            pieces.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return pieces;
}

} // namespace lumenscroll
