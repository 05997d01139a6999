#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/model/FontSizes.h"
#include "app/model/MarkBook.h"
#include "app/model/User.h"
#include "app/platform/KeyedPublished.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/reading/PageListKey.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {

class AppContext;
struct BibleView;
class SavedPageState;

// The one shared state of a run: the open pages, the loaded texts, the search state, the
// note records, the main window's flags and the font choices. The application creates one
// and hands it to every view; views exchange shared data only through these fields. Every
// write to a field (an in-place change deep inside a list included) emits objectWillChange()
// once, before the change; reads emit nothing.
//
// The per-page lists roles, selectedBibleArray, bookmarkArray, foundSectionVerseAndPraiseArray
// and OverAllSectionQTRecord are written only through OpenPages, which keeps them parallel:
// their writes take a PageListKey, which only OpenPages can make. This object only holds them.
class UserSettings : public ObservableObject {
public:
    UserSettings();
    ~UserSettings() override;
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    // The books of a fresh container: 66 lists, each holding one placeholder chapter record.
    static std::vector<std::vector<BibleStructure>> placeholderBooks();

    Published<bool> deleteBibleViewProcess{*this, false};
    // The translation choosers list the kinds with raw values 0 up to this number - 1.
    Published<std::int64_t> currentlyProvidedBibleNumber{*this, 2};
    // One row per open page, one flag per verse.
    KeyedPublished<std::vector<std::vector<bool>>, PageListKey> bookmarkArray{*this, {{}}};
    // The open pages as page values, in page order.
    KeyedPublished<std::vector<BibleView>, PageListKey> roles;
    // The chapter of every open page; entry i belongs to page i.
    KeyedPublished<std::vector<BibleStructure>, PageListKey> selectedBibleArray{*this, {}};
    Published<BibleStructure> selectedBible{*this, BibleStructure{}};
    Published<std::int64_t> bibleSectionCount{*this, 66};
    Published<std::int64_t> tabIndex{*this, 0};
    Published<std::int64_t> praiseSelected{*this, 0};
    Published<bool> isMainTabBarHide{*this, false};
    KeyedPublished<std::vector<std::string>, PageListKey> foundSectionVerseAndPraiseArray{*this, {}};
    KeyedPublished<std::vector<std::string>, PageListKey> OverAllSectionQTRecord{*this, {}};
    // The loaded texts of the pages: one list per book, one record per loaded chapter.
    Published<std::vector<std::vector<BibleStructure>>> BibleWordsContainer{*this, placeholderBooks()};
    // Keyed by language code.
    Published<std::map<std::string, bool>> SearchBibleLoadedAll{*this, {}};
    Published<std::vector<std::vector<BibleStructure>>> loadedBiblesArray{*this, placeholderBooks()};
    // Keyed by translation display name.
    Published<std::map<std::string, std::vector<std::vector<BibleStructure>>>> loadedBibleWordsContainers{
        *this, {}};
    // Shared: a change inside the record publishes nothing.
    Published<std::shared_ptr<User>> user{*this, std::make_shared<User>()};
    Published<bool> settingsViewBtnPressed{*this, false};
    Published<bool> aboutViewBtnPressed{*this, false};
    // Index into fontSizes.
    Published<std::int64_t> pickerIndex{*this, defaultFontSizeIndex};
    // Index into the font colours.
    Published<std::int64_t> pickerIndex2{*this, 0};
    // Index into the reading fonts.
    Published<std::int64_t> pickerIndex3{*this, 0};
    Published<std::string> currentBibleLanguage{*this, "kr"};
    Published<std::optional<BibleKind>> kindOfBible{*this, BibleKind::kr01};
    Published<bool> plusBible{*this, false};
    Published<bool> plusBible2{*this, false};
    Published<std::int64_t> selectedTab{*this, 0};
    Published<std::string> loadingSection{*this, "Loading..."};
    Published<bool> isSearchingNow{*this, false};
    Published<bool> loadAllPagesOnce{*this, false};
    Published<std::vector<bool>> memoLoaded{*this, {false}};
    Published<bool> newBibleViewPageCreating{*this, false};
    Published<bool> executedOnce{*this, false};
    // Whether the last save of the page state failed.
    Published<bool> pageStateSaveFailed{*this, false};
    // The reader's marks on every chapter, whichever page made them: a page that loads a chapter
    // shows its marks from here, and a mark made on a page is put here at once (PageMarks.h).
    // Saved with the pages, in a file of its own.
    Published<MarkBook> markBook{*this, MarkBook{}};

    // Writes the mark book to its file, every open page to its page-state file and the open pages
    // and loaded texts to the user defaults, each only where it changed. Failures are traced; the first of a run of
    // failed saves is told to the user with the notice of the page on screen, and the next save
    // that succeeds ends the run. The user defaults may reach the disk after this returns (the
    // settings store's writer thread): pageStateSaveFailed follows once they have.
    //
    // Defined in PageStateSaving.cpp, above the page-state persistence and the page notices it
    // calls: this object is the state they all stand on (see the layers in CMakeLists.txt).
    void savePageState(const AppContext& context);

    // What this run's saves have left on disk; the page-state persistence's own, kept here
    // because it lasts as long as the run's shared state.
    SavedPageState& savedPageState() { return *savedPageState_; }

private:
    // A save's outcome, which may come after the save from the event loop.
    void pageStateSaved(bool saved);

    std::unique_ptr<SavedPageState> savedPageState_;
};

} // namespace lumenscroll
