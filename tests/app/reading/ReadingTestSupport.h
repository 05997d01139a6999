#pragma once

#include "app/model/BibleStructure.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/reading/ScrollViewProxy.h"

#include "PageListKeyForTests.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll::testing {

// A page as the carousel builds one, for page `index`, with bindings of its own.
BibleView makePage(UserSettings& settings, AppContext& context, std::int64_t index);

// Opens `records.size()` pages: their records in selectedBibleArray, their page values in roles.
void openPages(UserSettings& settings, AppContext& context, const std::vector<BibleStructure>& records);

// A chapter record with `verseCount` verses "<prefix> 1", "<prefix> 2", ...
BibleStructure chapterRecord(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount,
                             const std::string& prefix = "verse");

// The text of a resource book whose chapters hold the verse counts the table gives, each verse
// line "c:v word c.v", ended by `lineEnd`.
std::string bookText(std::int64_t book, const std::string& lineEnd);

// The path of a page-state file in the context's Documents folder.
QString pageStateFilePath(const AppContext& context, std::int64_t index);

// The record page-state file `index` holds; none when there is no such file.
std::optional<BibleStructure> savedPage(const AppContext& context, std::int64_t index);

// A verse list's scroll reader that only records where it was asked to scroll.
class RecordingScrollReader final : public ScrollViewProxy {
public:
    struct Request {
        std::int64_t identity;
        ScrollAnchor anchor;
        bool animated;

        bool operator==(const Request&) const = default;
    };

    void scrollTo(std::int64_t identity, ScrollAnchor anchor, bool animated) override {
        requests.push_back({identity, anchor, animated});
    }

    std::vector<Request> requests;
};

} // namespace lumenscroll::testing
