#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The elements of the JSON array `json`, each as the text that holds it (the whitespace around
// it left out), found without parsing them: strings and nesting are followed only as far as
// finding the commas between elements needs. None when `json` is not one array with nothing but
// whitespace around it, when an element is empty, or when a string or a nesting stays open.
//
// An element is not checked here: whoever decodes it finds out. Elements that each decode are
// exactly the array's elements, so decoding them one by one gives what decoding the array gives.
std::optional<std::vector<std::string_view>> jsonArrayElements(std::string_view json);

} // namespace lumenscroll
