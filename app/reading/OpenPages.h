#pragma once

#include "app/model/BibleStructure.h"
#include "app/platform/KeyedPublished.h"
#include "app/reading/BibleView.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageListKey.h"
#include "app/reading/UserSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumenscroll {

// The open pages' lists in the shared state, and the one place that writes them: the page
// values (roles), their chapter records (selectedBibleArray), a bookmark row per page
// (bookmarkArray), a chapter note per page (OverAllSectionQTRecord) and the search hits left
// for the pages (foundSectionVerseAndPraiseArray). Page i is entry i of every list, so a page
// is added and closed in all of them here, together; a new writer of a page list is a new
// operation here. The lists' writes take a PageListKey, which only this class can make.
//
// Every write goes through the published fields, one announcement per write, exactly as a
// write to the shared object itself. Nothing is kept here: an OpenPages is made where it is
// needed, over the one shared state, and is as good as the state it points to.
//
// A write to one page's entry (modifyView, modifyRecord, flipBookmark) names a page that may
// not be open: it then writes nothing and says so.
class OpenPages {
public:
    explicit OpenPages(UserSettings& userSettings)
        : userSettings_(&userSettings) {}

    // --- Reading ---

    // Every page value has its record and every record its page value.
    bool areParallel() const;
    // `index` names a page value and a record.
    bool isOpen(std::int64_t index) const;

    // --- Adding and closing pages ---

    // Half a page: a page value alone, for the record at its index, which has none yet (a
    // restored page, a filled page, a search hit's page), or for the record appended next (the
    // first-run page, appendFirstRunRecord). The bookmark rows and chapter notes are the
    // caller's to rebuild.
    void appendViewOfRecord(BibleView view) const;
    // The other half: a default record alone, the slot a pending search hit fills as a new page
    // (its page value comes with the hit).
    void appendSearchHitSlot() const;
    // The first-run page's record, after its page value.
    void appendFirstRunRecord(BibleStructure record) const;
    // A whole page after the others: its value, its record, a bookmark row from the record's
    // marks and an empty chapter note. The rows and notes of the pages before it stay as they
    // are; any past the new page's index go.
    void appendPage(BibleView view, BibleStructure record) const;
    // A new page after the others on the chapter of page `source` (its book, chapter, verses
    // and translation), the rest of its record as selectedBible has it (appendPage). Nothing
    // without a record `source`.
    void appendCopy(BibleView view, std::int64_t source) const;
    // Closes page `index` in every list (a bookmark row or a note it lacks is not missed); each
    // page after it moves down one, its value's index with it. False, and nothing closed, when
    // `index` is no open page or the lists are not parallel.
    bool closePage(std::int64_t index) const;
    // The records of the last run, in place of any there are.
    void restoreRecords(std::vector<BibleStructure> records) const;

    // --- The lists that follow the records ---

    // One bookmark row per record, one flag per verse, as the verses are marked.
    void rebuildBookmarkRows() const;
    // One empty chapter note per page value: what the notes were goes.
    void resetChapterNotes() const;
    // One chapter note per record: the notes there are stay, the missing ones are empty.
    void fitChapterNotes() const;

    // --- One page ---

    // One announced write to page `index`'s value; false, and nothing written, without one.
    template <class Change> bool modifyView(std::int64_t index, Change&& change) const {
        return modifyEntry(userSettings_->roles, index, std::forward<Change>(change));
    }
    // One announced write to page `index`'s record; false, and nothing written, without one.
    template <class Change> bool modifyRecord(std::int64_t index, Change&& change) const {
        return modifyEntry(userSettings_->selectedBibleArray, index, std::forward<Change>(change));
    }
    // Flips verse `verse`'s flag in page `index`'s bookmark row; false where the row has none.
    bool flipBookmark(std::int64_t index, std::int64_t verse) const;

    // --- Search hits ---

    // Leaves the locator text `locator` as the hit chosen on page `page` (not negative). A list
    // too short to hold it grows to one entry per page, counting the page the hit is about to
    // open.
    void leaveSearchHit(std::int64_t page, const std::string& locator) const;
    // The hits are taken: none is pending any more.
    void clearSearchHits() const;

private:
    template <class T, class Change>
    static bool modifyEntry(KeyedPublished<std::vector<T>, PageListKey>& list, std::int64_t index,
                            Change&& change) {
        if (!isIndexOf(index, list->size())) {
            return false;
        }
        list.modify(PageListKey(),
                    [&](std::vector<T>& items) { std::forward<Change>(change)(items[at(index)]); });
        return true;
    }

    void pushRecord(BibleStructure record) const;

    UserSettings* userSettings_;
};

} // namespace lumenscroll
