#include "app/search/SearchBibleView.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructureBuilder.h"
#include "app/model/FontSizes.h"
#include "app/model/VerseLocator.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/BibleView.h"
#include "app/reading/ChapterText.h"
#include "app/reading/FontChoices.h"
#include "app/reading/FontColors.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/search/KindOfBibleSearchView.h"
#include "app/search/SearchQuery.h"

#include <algorithm>
#include <span>
#include <utility>

namespace lumenscroll {

namespace {

// Entry `index` of `list`, or `fallback` for an index outside it.
template <class T> T entryOr(const std::vector<T>& list, std::int64_t index, T fallback) {
    return isIndexOf(index, list.size()) ? list[at(index)] : std::move(fallback);
}

// The chooser's copy of a chapter record: a fresh record with a book.
BibleStructure freshPraise() {
    BibleStructure record;
    record.order = 0;
    return record;
}

// What follows each loaded chapter in its book's list: one empty verse, which no word matches,
// in the chapter's translation, language and testament, but in no book's place and with no name.
BibleStructure fillerRecord(BibleBook book, BibleKind kind) {
    return BibleStructureBuilder(book, kind)
        .chapterNumber(1)
        .order(0)
        .sectionIndex(0)
        .name({})
        .verses({BiblePraise{}})
        .build();
}

void traceOpenedHit(const std::string& entry) {
    trace("userSettings.foundSectionVerseAndPraiseArray[pageIndex] " + entry);
    trace("userSettings.foundSectionVerseAndPraiseArray[pageIndex].count " + std::to_string(entry.size()));
}

} // namespace

const std::string SearchBibleView::notFoundText = "검색하신 단어는 찾을 수 없었습니다.";
const std::string SearchBibleView::promptText = "검색하실 단어를 입력해주세요. 각 번역본 별 첫번째 검색은 "
                                                "로딩과 함께 시간이 더 걸리나 두번째 부터는 검색이 "
                                                "빨라집니다. \n\n여러 단어 검색은 띄어쓰기로 사용해 주세요.";

// One book's text and its lines, kept while a load reads chapter after chapter of it.
struct SearchBibleView::BookText {
    BibleKind kind;
    std::int64_t book;
    std::string text;
    std::vector<std::string_view> lines;
};

SearchBibleView::SearchBibleView(Binding<std::int64_t> pageIndex, Binding<bool> openSearch,
                                 UserSettings& userSettings, AppContext& context)
    : pageIndex(std::move(pageIndex))
    , openSearch(std::move(openSearch))
    , userSettings(userSettings)
    , titlePhotoArray(*this, BibleView::defaultTitlePhotoArray())
    , selectedPraise(*this, freshPraise())
    , customFontsFileNameArray(*this, readingFontFileNames())
    , fontColorArray(*this, defaultFontColorArray())
    , searchBar(Binding<std::string>::to(searchWord), Binding<bool>::to(findBtn),
                Binding<bool>::to(searchBtnClicked), Binding<std::string>::to(textSearched),
                Binding<BibleKind>::to(kindOfBible), Binding<bool>::to(showBibleTranslateSelectionWindow),
                userSettings)
    , context_(context)
    , watchers_(context.scheduler()) {
    watchers_.observe(*this);
    watchers_.watch([this] { return searchWord(); }, [this](const std::string&) { searchWordChanged(); });
    watchers_.watch([this] { return kindOfBible(); },
                    [this](BibleKind) {
                        kindOfBibleChanged();
                        searchBar.kindOfBibleChanged();
                    });
    watchers_.watch([this] { return findBtn(); }, [this](bool) { search(); });
    // The sheet's content disappears, then the sheet is dismissed: each traces the kind.
    watchers_.watch([this] { return showBibleTranslateSelectionWindow(); },
                    [this](bool shown) {
                        if (!shown) {
                            printKindOfBible();
                            printKindOfBible();
                        }
                    });
}

SearchBibleView::~SearchBibleView() = default;

// --- Searching ---

void SearchBibleView::search() {
    if (!findBtn()) {
        return;
    }
    enteredSearchView.set(false);
    foundWordArray.set({});
    foundWordLocation.set({});

    const std::vector<std::string> words = SearchQuery::words(searchWord());
    const BibleKind kind = kindOfBible();
    const std::string code(languageCode(kind));
    const std::string name(translationDisplayName(kind));
    const auto isLoaded = [&] {
        const auto& loaded = userSettings.SearchBibleLoadedAll();
        const auto flag = loaded.find(code);
        // Two translations share each language code: the code can be marked by the other one.
        return flag != loaded.end() && flag->second &&
               userSettings.loadedBibleWordsContainers->contains(name);
    };
    if (!isLoaded()) {
        loadTranslation();
    }
    if (isLoaded() && !words.empty()) {
        listHits(userSettings.loadedBibleWordsContainers->at(name), words);
    }
    // Whatever was submitted and found nothing is said so, a query of blanks or commas too: only
    // an empty submission asked for nothing.
    foundNothing.set(foundWordArray->empty() && !textSearched().empty());
    findBtn.set(false);
}

void SearchBibleView::loadTranslation() {
    const std::int64_t books = std::min(userSettings.bibleSectionCount(), bibleBookCount);
    for (std::int64_t book = 0; book < books; ++book) {
        const std::int64_t chapters = chaptersPerBook()[at(book)];
        for (std::int64_t chapter = 1; chapter <= chapters; ++chapter) {
            loadChapterForSearch(book, chapter);
        }
    }
    bookText_.reset();
    // A load cut short by a smaller book count never reaches the last chapter, which lowers it.
    if (userSettings.isSearchingNow()) {
        userSettings.isSearchingNow.set(false);
    }
}

const std::vector<std::string_view>& SearchBibleView::bookLines(std::int64_t bookIndex) {
    const BibleKind kind = kindOfBible();
    if (bookText_ && bookText_->kind == kind && bookText_->book == bookIndex) {
        return bookText_->lines;
    }
    bookText_ = std::make_unique<BookText>(BookText{kind, bookIndex, {}, {}});
    // A translation without text resources has no lines, and no file is looked for.
    if (TextResource::hasText(kind)) {
        bookText_->text = TextResource::read(context_, TextResource::name(kind, bookIndex)).value_or("");
        bookText_->lines = ChapterText::lines(bookText_->text, kind);
    }
    return bookText_->lines;
}

void SearchBibleView::loadChapterForSearch(std::int64_t bookIndex, std::int64_t chapter) {
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || chapter < 1 || chapter > static_cast<std::int64_t>(versesPerChapter(*book).size())) {
        return;
    }
    UserSettings& settings = userSettings;
    if (bookIndex == 0 && chapter <= 1 && !settings.isSearchingNow()) {
        settings.isSearchingNow.set(true);
    }
    BibleStructure working;
    working.order = 0;
    working.sectionIndex = bookIndex;
    selectedBible.set(std::move(working));

    const BibleKind kind = kindOfBible();
    const std::string resourceName = TextResource::name(kind, bookIndex);
    context_.scheduler().post(&postContext_, [&settings, resourceName] {
        settings.loadingSection.set("loading " + resourceName + "...");
    });

    BibleStructure record =
        BibleStructureBuilder(*book, kind)
            .chapterNumber(chapter)
            // The names the book chooser shows for the translation.
            .nameIn(languageCode(kind))
            .verses(ChapterText::verses(ChapterText::chapterLines(bookLines(bookIndex), *book, chapter)))
            .build();
    selectedBible.set(record);

    // Each call adds a filler and puts the chapter at its place, so a book's list holds its
    // chapters in order followed by fillers.
    settings.loadedBiblesArray.modify([&](std::vector<std::vector<BibleStructure>>& books) {
        if (!isIndexOf(bookIndex, books.size())) {
            return;
        }
        std::vector<BibleStructure>& chapters = books[at(bookIndex)];
        const BibleStructure filler = fillerRecord(*book, kind);
        chapters.push_back(filler);
        // Chapters loaded out of order leave no gap unfilled.
        while (chapters.size() < static_cast<std::size_t>(chapter)) {
            chapters.push_back(filler);
        }
        chapters[at(chapter - 1)] = std::move(record);
    });

    const bool lastChapter = bookIndex == bibleBookCount - 1 && chapter == chaptersPerBook()[at(bookIndex)];
    if (lastChapter && static_cast<std::int64_t>(settings.loadedBiblesArray->size()) == bibleBookCount) {
        settings.SearchBibleLoadedAll.modify(
            [&](std::map<std::string, bool>& loaded) { loaded[std::string(languageCode(kind))] = true; });
        settings.loadedBibleWordsContainers.modify([&](auto& containers) {
            containers[std::string(translationDisplayName(kind))] = settings.loadedBiblesArray();
        });
    }
    if (lastChapter && settings.isSearchingNow()) {
        settings.isSearchingNow.set(false);
    }
}

void SearchBibleView::listHits(const std::vector<std::vector<BibleStructure>>& translation,
                               const std::vector<std::string>& words) {
    const std::string name(translationDisplayName(kindOfBible()));
    if (!index_ || indexedTranslation_ != name || !index_->isIndexOf(translation)) {
        index_.emplace(translation);
        indexedTranslation_ = name;
    }
    std::vector<std::string> lowered;
    lowered.reserve(words.size());
    for (const std::string& word : words) {
        lowered.push_back(SearchQuery::lowercased(word));
    }
    std::vector<SearchIndex::Match> matches = index_->match(lowered);
    // The verses with the most words first; within a group, Bible order.
    std::stable_sort(
        matches.begin(), matches.end(),
        [](const SearchIndex::Match& a, const SearchIndex::Match& b) { return a.count > b.count; });

    const std::string_view language = languageCode(kindOfBible());
    std::vector<std::string> lines;
    std::vector<std::string> locators;
    lines.reserve(matches.size());
    locators.reserve(matches.size());
    for (const SearchIndex::Match& match : matches) {
        const SearchIndex::Verse& verse = index_->verse(match.verse);
        const std::string& word =
            translation[at(verse.book)][at(verse.chapter)].praises[at(verse.position)].word;
        const std::string_view book = bookNameByIndex(language, verse.book);
        std::string line;
        line.reserve(book.size() + word.size() + 16);
        line += '[';
        line += book;
        line += ' ';
        line += std::to_string(verse.chapter + 1);
        line += ':';
        line += std::to_string(verse.position + 1);
        line += "] ";
        line += word;
        lines.push_back(std::move(line));
        // A verse the tables do not hold (a merged line at a chapter's end) is listed, and
        // refused when opened.
        locators.push_back(VerseLocator::text(verse.book, verse.chapter, verse.position));
    }
    foundWordArray.set(std::move(lines));
    foundWordLocation.set(std::move(locators));
}

void SearchBibleView::openHit(std::int64_t n) {
    const std::vector<std::string>& locations = foundWordLocation();
    // A row is listed only while its line is: after the list was emptied the locators are stale.
    if (!isIndexOf(n, locations.size()) || !isIndexOf(n, foundWordArray->size())) {
        return;
    }
    const std::string entry = locations[at(n)];
    const std::int64_t page = pageIndex();
    if (!VerseLocator::parse(entry) || page < 0) {
        trace("error " + entry);
        return;
    }
    OpenPages(userSettings).leaveSearchHit(page, entry);
    traceOpenedHit(entry);
    userSettings.kindOfBible.set(kindOfBible());
    openSearch.set(false);
}

// --- Handlers ---

void SearchBibleView::appear() {
    searchBar.appear();
    fontSize.set(applyFontSize());
    resultsPaneAppeared();
}

void SearchBibleView::closeSearchPage() {
    // Cleared, not flipped: a second click on the close button before the page goes leaves it
    // closed.
    openSearch.set(false);
}

void SearchBibleView::resultsPaneAppeared() {
    enteredSearchView.set(true);
    imageIndex.set(context_.random().below(static_cast<int>(titlePhotoArray->size())));
    userSettings.executedOnce.set(false);
}

void SearchBibleView::promptAppeared() {
    initialized.set(true);
}

void SearchBibleView::searchWordChanged() {
    if (searchBtnClicked() && searchWord() != textSearched()) {
        foundWordArray.set({});
    }
    if (foundNothing()) {
        foundNothing.set(false);
    }
}

void SearchBibleView::kindOfBibleChanged() {
    userSettings.kindOfBible.set(kindOfBible());
    foundWordArray.set({});
    if (foundNothing()) {
        foundNothing.set(false);
    }
}

void SearchBibleView::printKindOfBible() const {
    trace("kindOfBible = " + std::string(caseName(kindOfBible())));
}

// --- Fonts ---

std::int64_t SearchBibleView::applyFontSize() {
    fontSize.set(fontSizeForIndex(userSettings.pickerIndex()));
    return fontSize();
}

void SearchBibleView::applyFontColor() {
    fontColor.set(entryOr(fontColorArray(), userSettings.pickerIndex2(), NamedColor::black));
}

void SearchBibleView::applyFontKind() {
    fontKind.set(entryOr(customFontsFileNameArray(), userSettings.pickerIndex3(),
                         entryOr(customFontsFileNameArray(), 0, std::string())));
}

void SearchBibleView::loadFontSettings() {
    const FontChoices stored = FontChoices::load(userSettings, context_.settings());
    if (stored.size) {
        applyFontSize();
    } else {
        fontSize.set(fontSizeForIndex(defaultFontSizeIndex));
    }
    if (stored.color) {
        applyFontColor();
    } else {
        fontColor.set(NamedColor::black);
    }
    if (stored.font) {
        applyFontKind();
    } else {
        fontKind.set(entryOr(customFontsFileNameArray(), 0, std::string()));
    }
}

// --- What the page shows ---

SearchBibleView::Message SearchBibleView::message() const {
    if (!foundWordArray->empty()) {
        return Message::none;
    }
    if (foundNothing()) {
        return Message::notFound;
    }
    return enteredSearchView() ? Message::prompt : Message::none;
}

std::string SearchBibleView::headerPhoto() const {
    return entryOr(titlePhotoArray(), imageIndex(), std::string());
}

std::optional<ReadingFont> SearchBibleView::hitFont() const {
    return chosenReadingFont(fontKind(), customFontsFileNameArray(), userSettings.pickerIndex3());
}

bool SearchBibleView::isProgressShown() const {
    return userSettings.isSearchingNow();
}

KindOfBibleSearchView SearchBibleView::chooser() {
    return KindOfBibleSearchView(
        Binding<bool>::to(showBibleTranslateSelectionWindow), Binding<BibleStructure>::to(selectedPraise), 0,
        0, 0, Binding<std::int64_t>::to(praiseIndex), Binding<bool>::to(userSelectedBiblePraise),
        Binding<BibleKind>::to(kindOfBible), userSettings);
}

} // namespace lumenscroll
