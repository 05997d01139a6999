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

// The made-up text of verse `verse` of chapter `chapter` (both from 1) in translation `kind`, with
// its leading blank: " word c.v" in Korean, " the word c.v" in English. The translations differ,
// so that a page read in the other one is seen.
std::string verseText(BibleKind kind, std::int64_t chapter, std::int64_t verse);

// The text of a resource book in translation `kind` whose chapters hold the verse counts the table
// gives, each verse line "c:v" and its verseText, ended as that translation's files end their
// lines (LF in Korean, CR LF in English).
std::string bookText(std::int64_t book, BibleKind kind);

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
