#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/reading/ScrollViewProxy.h"
#include "app/reading/UserSettings.h"
#include "testing/reading/PageStateFileContents.h"
#include "testing/reading/TestPages.h"

#include "testing/reading/PageListKeyForTests.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll::testing {

// A chapter record with `verseCount` verses "<prefix> 1", "<prefix> 2", ...
BibleStructure chapterRecord(std::int64_t book, std::int64_t chapterIndex, BibleKind kind, int verseCount,
                             const std::string& prefix = "verse");

// The text of a resource book whose chapters hold the verse counts the table gives, each verse
// line "c:v word c.v", ended by `lineEnd`.
std::string bookText(std::int64_t book, const std::string& lineEnd);

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
