#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/ChangeWatchers.h"
#include "app/platform/NamedColor.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/reading/ReadingFont.h"
#include "app/search/KindOfBibleSearchView.h"
#include "app/search/SearchBar.h"
#include "app/search/SearchIndex.h"

#include <QObject>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

class AppContext;
class UserSettings;

// The full-text search page, shown in a reading page's top area while the page's search flag is
// up. The first search in a translation loads it whole into UserSettings.loadedBibleWordsContainers
// (loadChapterForSearch); every search lists the verses that hold any of the query's words, those
// holding the most words first and each group in Bible order, as "[book chapter:verse] text"
// (foundWordArray) with a locator beside each (foundWordLocation, VerseLocator's text). Opening
// a hit leaves its locator for the hosting page in UserSettings.foundSectionVerseAndPraiseArray,
// makes the searched translation the shared one and closes the page; the carousel opens the new
// page from there.
//
// Built anew, with an empty query and no results, each time the page is shown; it reacts to its
// own fields after the current action, like every view (a change of findBtn runs search()).
// Drawn by SearchBibleViewWidget.
class SearchBibleView : public ObservableObject {
public:
    // `pageIndex` and `openSearch` belong to the hosting reading page: its index and its search
    // flag, which closing the search page lowers.
    SearchBibleView(Binding<std::int64_t> pageIndex, Binding<bool> openSearch, UserSettings& userSettings,
                    AppContext& context);
    ~SearchBibleView() override;
    SearchBibleView(const SearchBibleView&) = delete;
    SearchBibleView& operator=(const SearchBibleView&) = delete;

    Binding<std::int64_t> pageIndex;
    // The query as typed.
    Published<std::string> searchWord{*this, {}};
    Binding<bool> openSearch;
    UserSettings& userSettings;
    // Raised by the search bar, lowered by every search.
    Published<bool> findBtn{*this, false};
    // Kept from the original layout; nothing reads it, nor the other fields so marked.
    Published<bool> showBibleTranslateSelectionWindow2{*this, false};
    // The hit lines, one list row each, and their locators at the same positions.
    Published<std::vector<std::string>> foundWordArray{*this, {}};
    Published<std::vector<std::string>> foundWordLocation{*this, {}};
    // Not read.
    Published<std::vector<std::string>> foundWordArray_2{*this, {}};
    Published<std::vector<std::string>> foundWordArray_3{*this, {}};
    Published<std::vector<std::string>> foundWordLocation_2{*this, {}};
    Published<std::vector<std::string>> foundWordLocation_3{*this, {}};
    // Raised by the search bar when a search is started.
    Published<bool> searchBtnClicked{*this, false};
    // The query as last submitted.
    Published<std::string> textSearched{*this, {}};
    // True from the results pane's first showing until the next search: the prompt shows.
    Published<bool> enteredSearchView{*this, false};
    // The header pictures among the resources, "TopArea1" ... "TopArea9".
    Published<std::vector<std::string>> titlePhotoArray;
    Published<std::int64_t> imageIndex{*this, 0};
    // Set when the prompt is shown; not read.
    Published<bool> initialized{*this, false};
    // The loader's working record: the chapter it files last.
    Published<std::optional<BibleStructure>> selectedBible{*this, std::nullopt};
    // Not read.
    Published<std::string> loadingSectionName{*this, {}};
    Published<std::string> loadingMessage{*this, {}};
    // The translation searched.
    Published<BibleKind> kindOfBible{*this, BibleKind::kr01};
    // Bound into the translation chooser, which writes selectedPraise's order.
    Published<bool> userSelectedBiblePraise{*this, false};
    Published<BibleStructure> selectedPraise;
    Published<std::int64_t> praiseIndex{*this, 0};
    // Presents the translation chooser.
    Published<bool> showBibleTranslateSelectionWindow{*this, false};
    // Not read.
    Published<std::map<BibleKind, std::vector<std::string>>> totalFoundWordArray{*this, {}};
    // The hit rows' point size.
    Published<std::int64_t> fontSize{*this, 14};
    // The chosen font colour; the hit rows do not use it.
    Published<NamedColor> fontColor{*this, NamedColor::black};
    // The chosen font's file name; the hit rows only ask whether it is empty.
    Published<std::string> fontKind{*this, {}};
    Published<std::vector<std::string>> customFontsFileNameArray;
    Published<std::vector<NamedColor>> fontColorArray;
    // Our own, after the page's fields: up from a search that found nothing for a submitted text
    // that is not empty (blanks and commas included) until the query or the translation changes.
    // The not-found message shows only then, never while the user is still typing a query nor
    // after an empty submission.
    Published<bool> foundNothing{*this, false};

    // The search bar, bound to the fields above.
    SearchBar searchBar;

    // --- Searching ---

    // Runs when findBtn changes and is up: splits the query into words, loads the translation
    // the first time its language is searched in a run (and whenever no translation is filed
    // under its name), and fills the two result lists. Always ends with findBtn down.
    void search();
    // Reads chapter `chapter` (from 1) of book `bookIndex` in the page's translation into
    // UserSettings.loadedBiblesArray; the last chapter of the last book files the whole
    // translation under its display name and marks its language loaded. A book's text is read
    // once for all the chapters loaded from it in a row. An invalid book or chapter does nothing.
    void loadChapterForSearch(std::int64_t bookIndex, std::int64_t chapter);

    // Opens hit row `n`: its locator becomes the hosting page's pending hit, the searched
    // translation the shared one, and the page closes. A row that is not listed, or a locator
    // that names no verse of the tables, opens nothing (the latter is traced as an error).
    void openHit(std::int64_t n);

    // --- Handlers ---

    // The page came on screen: the list takes the chosen font size, the search bar its
    // translation, the results pane a header picture.
    void appear();
    // The close button.
    void closeSearchPage();
    // The results pane came on screen: the prompt, a new header picture.
    void resultsPaneAppeared();
    // The prompt text came on screen.
    void promptAppeared();
    // searchWord changed: the list empties once the query differs from the one searched, and
    // the not-found message goes.
    void searchWordChanged();
    // kindOfBible changed: the shared translation follows it, the list empties and the not-found
    // message goes.
    void kindOfBibleChanged();
    // Traces "kindOfBible = " and the searched kind's case name.
    void printKindOfBible() const;

    // --- Fonts ---

    // The point size of the chosen size, kept in fontSize and returned.
    std::int64_t applyFontSize();
    // The chosen colour (black for a choice outside the list).
    void applyFontColor();
    // The chosen font (the first for a choice outside the list).
    void applyFontKind();
    // Takes the three font choices from the user defaults into the shared state, writing the
    // defaults (size 14, black, the first font) for keys that are missing.
    void loadFontSettings();

    // --- What the page shows ---

    enum class Message { none, notFound, prompt };
    Message message() const;
    static const std::string notFoundText;
    static const std::string promptText;
    // The header picture's resource name; empty when imageIndex names none.
    std::string headerPhoto() const;
    // The font of the hit rows: entry 0 of customFontsFileNameArray until a font was applied,
    // then the chosen one; none for a name that is no reading font.
    std::optional<ReadingFont> hitFont() const;
    bool isProgressShown() const;

    // The translation chooser, bound to this page, as the sheet shows it.
    KindOfBibleSearchView chooser();

    AppContext& context() const { return context_; }

private:
    struct BookText;

    void loadTranslation();
    const std::vector<std::string_view>& bookLines(std::int64_t bookIndex);
    void listHits(const std::vector<std::vector<BibleStructure>>& translation,
                  const std::vector<std::string>& words);

    AppContext& context_;
    ChangeWatchers watchers_;
    // What the posted progress messages are tied to: they die with the page.
    QObject postContext_;
    // The book the loader read last, while a load runs.
    std::unique_ptr<BookText> bookText_;
    // The lower-case text of the translation searched last, under its display name.
    std::string indexedTranslation_;
    std::optional<SearchIndex> index_;
};

} // namespace lumenscroll
