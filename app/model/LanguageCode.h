#pragma once

#include <string_view>

namespace lumenscroll {

// The two language codes that tag a text, a book name and a page.
inline constexpr std::string_view koreanLanguageCode = "kr";
inline constexpr std::string_view englishLanguageCode = "en";

} // namespace lumenscroll
