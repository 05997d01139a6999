#include "app/reading/PageOperations.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructureBuilder.h"
#include "app/model/LanguageCode.h"
#include "app/platform/Trace.h"
#include "app/reading/ChapterText.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

bool isChapterOf(BibleBook book, std::int64_t chapter) {
    return chapter >= 1 && chapter <= static_cast<std::int64_t>(versesPerChapter(book).size());
}

// The language of a translation that has text: "kr" for kr01, "en" for en01; none for the
// others.
std::optional<std::string_view> textLanguage(BibleKind kind) {
    if (kind == BibleKind::kr01) {
        return koreanLanguageCode;
    }
    if (kind == BibleKind::en01) {
        return englishLanguageCode;
    }
    return std::nullopt;
}

// "창세기 3장", "Genesis 3": the number is followed by "장" in Korean only.
std::string chapterTitle(std::string_view language, BibleBook book, std::int64_t chapter) {
    std::string title = std::string(bookName(language, book)) + " " + std::to_string(chapter);
    if (language == koreanLanguageCode) {
        title += "장";
    }
    return title;
}

// The chapter index a loaded record keeps for the step the page is making: the chapter's own
// index for a plain load and a step forward.
std::int64_t loadedChapterIndex(std::int64_t movingType, std::int64_t chapter,
                                std::int64_t previousBookIndex) {
    switch (movingType) {
    case 0:
    case 1:
        return chapter - 1;
    case -1:
        // The caller lowers it by one afterwards.
        return chapter;
    case -2:
        // The last chapter of the book before the page's; a page on the first book has none
        // before it, and keeps the chapter it loaded.
        return bibleBookFromRaw(previousBookIndex) ? lastChapterIndexPerBook()[at(previousBookIndex)]
                                                   : chapter - 1;
    default:
        return 0;
    }
}

// The verses of one chapter as the resource holds them; none when the translation has no
// text or the resource is missing or unreadable.
std::vector<BiblePraise> readChapterVerses(const AppContext& context, const std::string& resourceName,
                                           BibleKind kind, BibleBook book, std::int64_t chapter) {
    if (resourceName.empty()) {
        return {};
    }
    const std::optional<std::string_view> text = TextResource::view(context, resourceName);
    if (!text) {
        return {};
    }
    return ChapterText::chapterVerses(*text, kind, book, chapter);
}

void traceNoChapterText(std::int64_t chapter, std::int64_t bookIndex);
void traceNoPageText(std::int64_t chapter, std::int64_t bookIndex, std::int64_t page);
void traceStoredChapter(const PageHandle& page);

} // namespace

std::string chapterResourceName(const PageHandle& page, BibleKind kind, std::int64_t bookIndex) {
    std::string name = TextResource::name(kind, bookIndex);
    if (!name.empty()) {
        markPageTranslation(page, kind);
    }
    return name;
}

void markPageTranslation(const PageHandle& page, BibleKind kind) {
    const std::optional<std::string_view> language = textLanguage(kind);
    if (!language) {
        return;
    }
    page.modifyRecord([&](BibleStructure& record) { record.language = std::string(*language); });
    page.modifyView(
        [&](BibleView& view) { view.translateVersion = std::string(translationDisplayName(kind)); });
}

void labelNewestPage(const PageHandle& page, BibleKind kind) {
    const auto newest = static_cast<std::int64_t>(page.userSettings().selectedBibleArray->size()) - 1;
    if (page.index() != newest || !textLanguage(kind)) {
        return;
    }
    page.modifyView([&](BibleView& view) {
        view.kindOfBible = kind;
        view.translateVersion = std::string(translationDisplayName(kind));
    });
}

void loadChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                 std::int64_t chapter, BibleKind kind, std::int64_t movingType) {
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    const BibleStructure* current = page.record();
    if (!book || !isChapterOf(*book, chapter) || !current) {
        traceNoPageText(chapter, bookIndex, page.index());
        return;
    }
    // Read before the load changes the record: a step back across a book boundary counts from
    // the book the page was on.
    const std::int64_t previousBookIndex = current->sectionIndex - 1;

    const std::string name = chapterResourceName(page, kind, bookIndex);
    trace("fileName : " + name);
    std::vector<BiblePraise> praises = readChapterVerses(context, name, kind, *book, chapter);

    const bool english = kind == BibleKind::en01;
    const std::string language(english ? englishLanguageCode : koreanLanguageCode);
    page.userSettings().currentBibleLanguage.set(language);

    BibleStructure record = BibleStructureBuilder(*book, english ? BibleKind::en01 : BibleKind::kr01)
                                .chapterIndex(loadedChapterIndex(movingType, chapter, previousBookIndex))
                                // In the language the page's record holds now, which
                                // chapterResourceName has just set for the translations that have text.
                                .nameIn(page.record()->language)
                                .verses(std::move(praises))
                                .build();

    storeChapter(page, bookIndex, chapter, std::move(record));
}

BibleStructure readChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                           std::int64_t chapter, BibleKind kind) {
    BibleStructure record;
    record.sectionIndex = bookIndex;
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !isChapterOf(*book, chapter)) {
        traceNoChapterText(chapter, bookIndex);
        return record;
    }
    const std::string name = chapterResourceName(page, kind, bookIndex);
    trace(" - fileName " + name);
    record.praises = readChapterVerses(context, name, kind, *book, chapter);
    return record;
}

void refreshVerses(const PageHandle& page, std::vector<BiblePraise> verses) {
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    const std::vector<BiblePraise>& stored = record->praises;
    for (std::size_t j = 0; j < verses.size(); ++j) {
        BiblePraise& verse = verses[j];
        verse.isSelected = false;
        if (j >= stored.size()) {
            continue;
        }
        const BiblePraise& marked = stored[j];
        verse.hasMemo = marked.hasMemo;
        if (marked.memo) {
            verse.memo = marked.memo;
        }
        verse.memoTitle = marked.memoTitle;
        verse.bgColor = marked.bgColor;
        verse.bookmarked = marked.bookmarked;
    }
    for (std::size_t j = verses.size(); j < stored.size(); ++j) {
        verses.push_back(stored[j]);
        verses.back().isSelected = false;
    }
    page.modifyRecord([&](BibleStructure& refreshed) { refreshed.praises = std::move(verses); });
    showChapterMarks(page);
}

void pointAtSearchHit(const PageHandle& page, std::int64_t bookIndex, std::int64_t versesIndex,
                      std::int64_t verse, BibleKind kind) {
    page.modifyRecord([&](BibleStructure& record) {
        record.kindOfBible = kind;
        record.order = bookIndex;
        record.versesIndex = versesIndex;
        if (const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex)) {
            if (kind == BibleKind::kr01) {
                record.name = std::string(koreanBookName(*book));
            } else if (kind == BibleKind::en01) {
                record.name = std::string(bookName(englishLanguageCode, *book));
            }
        }
        record.sectionIndex = bookIndex;
    });
    page.modifyView([&](BibleView& view) {
        view.kindOfBible = kind;
        view.praiseIndex = verse;
        view.sectionAndVerseMovingType = 0;
    });
}

void storeChapter(const PageHandle& page, std::int64_t bookIndex, std::int64_t chapter,
                  BibleStructure record) {
    UserSettings& settings = page.userSettings();
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !isChapterOf(*book, chapter) || !page.record()) {
        return;
    }

    // Only the chapter loaded last is kept: every book gets its placeholders again, one more
    // than it has chapters, since entry c stands for chapter c.
    const std::int64_t bookCount = std::min(settings.bibleSectionCount.get(), bibleBookCount);
    std::vector<std::vector<BibleStructure>> container;
    container.reserve(static_cast<std::size_t>(std::max<std::int64_t>(bookCount, 0)));
    for (std::int64_t b = 0; b < bookCount; ++b) {
        container.emplace_back(at(chaptersPerBook()[at(b)] + 1));
    }
    if (isIndexOf(bookIndex, container.size())) {
        container[at(bookIndex)][at(chapter)] = record;
    }
    settings.BibleWordsContainer.set(std::move(container));
    page.modifyRecord([&](BibleStructure& stored) { stored = std::move(record); });
    showChapterMarks(page);
    traceStoredChapter(page);
}

void refreshPageTitle(const PageHandle& page) {
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    trace("userSettings.selectedBibleArray[pageIndex].versesIndex " + std::to_string(record->versesIndex));
    titlePageFromRecord(page);
}

void titlePageFromRecord(const PageHandle& page) {
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    const std::optional<BibleBook> book = bibleBookFromRaw(record->sectionIndex);
    const std::optional<std::string_view> language = textLanguage(record->kindOfBible);
    if (!book || !language || !page.view()) {
        return;
    }
    std::string title = chapterTitle(*language, *book, chapterNumber(*record));
    page.modifyView([&](BibleView& view) { view.bibleSectionTitle = std::move(title); });
}

void rebuildPageTitle(const PageHandle& page) {
    if (!page.record() || !page.view()) {
        return;
    }
    matchLanguageToTranslation(page);
    const BibleStructure& record = *page.record();
    const std::optional<BibleBook> book = bibleBookFromRaw(record.sectionIndex);
    if (!book) {
        return;
    }
    std::string title = chapterTitle(record.language, *book, chapterNumber(record));
    page.modifyView([&](BibleView& view) { view.bibleSectionTitle = std::move(title); });
}

void matchLanguageToTranslation(const PageHandle& page) {
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    const std::optional<std::string_view> language = textLanguage(record->kindOfBible);
    if (language && record->language != *language) {
        page.modifyRecord([&](BibleStructure& stored) { stored.language = std::string(*language); });
    }
}

void traceVerseWords(const std::string& prefix, const BibleStructure& record) {
    for (const BiblePraise& verse : record.praises) {
        trace(prefix + verse.word);
    }
}

namespace {

void traceNoChapterText(std::int64_t chapter, std::int64_t bookIndex) {
    trace("loadChapterText: no chapter " + std::to_string(chapter) + " of book " + std::to_string(bookIndex));
}

void traceNoPageText(std::int64_t chapter, std::int64_t bookIndex, std::int64_t page) {
    trace("loadPageText: no chapter " + std::to_string(chapter) + " of book " + std::to_string(bookIndex) +
          " for page " + std::to_string(page));
}

void traceStoredChapter(const PageHandle& page) {
    trace("pageIndex " + std::to_string(page.index()) + " roles.count - 1 " +
          std::to_string(static_cast<std::int64_t>(page.userSettings().roles->size()) - 1));
}

} // namespace

} // namespace lumenscroll
