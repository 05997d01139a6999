#pragma once

#include "app/model/BibleBook.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace lumenscroll::testing {

// What follows "c:v" on the line of verse v of chapter c (from 1): its text, with its leading
// blank, or anything else a test wants the line to hold.
using VerseLine = std::function<std::string(std::int64_t chapter, std::int64_t verse)>;

// A book's text resource as the build lays them out: one line per verse of the verse table, in
// order, "c:v" followed by `verseLine`, each ended by `lineEnd`; only the first `lineCount`
// lines.
std::string bookText(BibleBook book, const std::string& lineEnd, const VerseLine& verseLine,
                     std::size_t lineCount = std::numeric_limits<std::size_t>::max());

} // namespace lumenscroll::testing
