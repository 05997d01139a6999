#pragma once

#include <string_view>
#include <vector>

namespace lumenscroll {

// The pieces of `text` between the `separator`s, empty ones dropped, as views into `text`: how
// a query is cut into words and a search hit's locator into its numbers.
std::vector<std::string_view> textPieces(std::string_view text, char separator);

} // namespace lumenscroll
