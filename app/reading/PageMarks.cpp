#include "app/reading/PageMarks.h"

#include "app/model/MarkBook.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/UserSettings.h"

#include <optional>

namespace lumenscroll {

namespace {

// Every open page but `marked` on `chapter` shows `marks` on its verse, and its bookmark row
// follows.
void showOnOtherPages(UserSettings& settings, std::int64_t marked, const MarkBook::Chapter& chapter,
                      const MarkedVerse& marks) {
    const OpenPages pages(settings);
    const auto count = static_cast<std::int64_t>(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < count; ++i) {
        const PageHandle other(settings, i);
        const BiblePraise* verse = other.verse(marks.verse);
        if (i == marked || !verse || MarkBook::chapterOf(*other.record()) != chapter || marks.isShownBy(*verse)) {
            continue;
        }
        other.modifyVerse(marks.verse, [&](BiblePraise& shown) { marks.showOn(shown); });
        const auto& rows = settings.bookmarkArray.get();
        if (isIndexOf(i, rows.size()) && isIndexOf(marks.verse, rows[at(i)].size()) &&
            rows[at(i)][at(marks.verse)] != marks.bookmarked) {
            pages.flipBookmark(i, marks.verse);
        }
    }
}

} // namespace

void showChapterMarks(const PageHandle& page) {
    const BibleStructure* record = page.record();
    const MarkBook& book = page.userSettings().markBook.get();
    if (!record || book.isShownBy(*record)) {
        return;
    }
    page.modifyRecord([&](BibleStructure& shown) { book.showOn(shown); });
}

bool changeVerseMarks(const PageHandle& page, std::int64_t verse, const std::function<void(BiblePraise&)>& change) {
    if (!page.modifyVerse(verse, change)) {
        return false;
    }
    const BibleStructure& record = *page.record();
    const std::optional<MarkBook::Chapter> chapter = MarkBook::chapterOf(record);
    if (!chapter) {
        return true;
    }
    const MarkedVerse marks = MarkedVerse::of(verse, record.praises[at(verse)]);
    UserSettings& settings = page.userSettings();
    settings.markBook.modify([&](MarkBook& book) { book.put(*chapter, marks); });
    showOnOtherPages(settings, page.index(), *chapter, marks);
    return true;
}

} // namespace lumenscroll
