#include "app/shell/CarouselChapters.h"

#include "app/model/BibleBook.h"
#include "app/platform/Trace.h"
#include "app/reading/ChapterText.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/TextResource.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

namespace {

// A page whose record names a chapter of a book traces the chapter index its title is made from.
void traceTitledChapter(const BibleStructure& record) {
    if (!record.name.empty() && record.order != -1 && record.versesIndex != -1) {
        trace(" --- userSettings.selectedBibleArray[pageIndex].versesIndex " + std::to_string(record.versesIndex));
    }
}

} // namespace

bool retitlePage(const PageHandle& page) {
    if (!page.record() || !page.view()) {
        return false;
    }
    traceTitledChapter(*page.record());
    matchLanguageToTranslation(page);
    titlePageFromRecord(page);
    return true;
}

BibleStructure makeChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                           std::int64_t chapter, BibleKind kind) {
    trace("bibleKind : " + std::string(translationDisplayName(kind)));
    BibleStructure record;
    record.sectionIndex = bookIndex;
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    const std::span<const std::int64_t> verseCounts = book ? versesPerChapter(*book) : std::span<const std::int64_t>();
    if (chapter < 1 || chapter > static_cast<std::int64_t>(verseCounts.size())) {
        trace("no chapter " + std::to_string(chapter) + " of book " + std::to_string(bookIndex) + " to make");
        return record;
    }

    const std::string name = chapterResourceName(page, kind, bookIndex);
    const std::optional<std::string_view> text =
        name.empty() ? std::nullopt : TextResource::view(context, name);
    const std::vector<std::string_view> lines =
        text ? ChapterText::lines(*text, kind) : std::vector<std::string_view>();
    // The chapters before this one, whose verses the chapter's lines come after.
    for (std::int64_t i = 0; i + 1 < chapter; ++i) {
        trace("== i " + std::to_string(i) + ", " + std::to_string(verseCounts[static_cast<std::size_t>(i)]));
    }
    trace("totalPraises.count " + std::to_string(lines.size()));
    record.praises = ChapterText::verses(ChapterText::chapterLines(lines, *book, chapter));
    return record;
}

} // namespace lumenscroll
