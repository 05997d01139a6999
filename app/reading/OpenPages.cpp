#include "app/reading/OpenPages.h"

#include "app/platform/Binding.h"

#include <algorithm>

namespace lumenscroll {

namespace {

std::vector<bool> bookmarkRow(const BibleStructure& record) {
    std::vector<bool> row;
    row.reserve(record.praises.size());
    for (const BiblePraise& verse : record.praises) {
        row.push_back(verse.bookmarked);
    }
    return row;
}

template <class T> void eraseEntry(std::vector<T>& list, std::int64_t index) {
    if (isIndexOf(index, list.size())) {
        list.erase(list.begin() + index);
    }
}

} // namespace

bool OpenPages::areParallel() const {
    return userSettings_->roles->size() == userSettings_->selectedBibleArray->size();
}

bool OpenPages::isOpen(std::int64_t index) const {
    return isIndexOf(index, userSettings_->roles->size()) &&
           isIndexOf(index, userSettings_->selectedBibleArray->size());
}

void OpenPages::appendViewOfRecord(BibleView view) const {
    userSettings_->roles.modify(PageListKey(),
                                [&](std::vector<BibleView>& views) { views.push_back(std::move(view)); });
}

void OpenPages::appendSearchHitSlot() const {
    pushRecord(BibleStructure{});
}

void OpenPages::appendFirstRunRecord(BibleStructure record) const {
    pushRecord(std::move(record));
}

void OpenPages::pushRecord(BibleStructure record) const {
    userSettings_->selectedBibleArray.modify(
        PageListKey(), [&](std::vector<BibleStructure>& records) { records.push_back(std::move(record)); });
}

void OpenPages::appendPage(BibleView view, BibleStructure record) const {
    const std::size_t index = userSettings_->roles->size();
    std::vector<bool> row = bookmarkRow(record);
    appendViewOfRecord(std::move(view));
    pushRecord(std::move(record));
    userSettings_->bookmarkArray.modify(PageListKey(), [&](std::vector<std::vector<bool>>& rows) {
        rows.resize(index);
        rows.push_back(std::move(row));
    });
    userSettings_->OverAllSectionQTRecord.modify(
        PageListKey(), [&](std::vector<std::string>& notes) { notes.resize(index + 1); });
}

void OpenPages::appendCopy(BibleView view, std::int64_t source) const {
    const std::vector<BibleStructure>& records = userSettings_->selectedBibleArray.get();
    if (!isIndexOf(source, records.size())) {
        return;
    }
    const BibleStructure& copied = records[at(source)];
    BibleStructure record = userSettings_->selectedBible();
    record.order = copied.order;
    record.versesIndex = copied.versesIndex;
    record.name = copied.name;
    record.sectionIndex = copied.sectionIndex;
    record.praises = copied.praises;
    record.kindOfBible = copied.kindOfBible;
    appendPage(std::move(view), std::move(record));
}

bool OpenPages::closePage(std::int64_t index) const {
    if (!isOpen(index) || !areParallel()) {
        return false;
    }
    UserSettings& settings = *userSettings_;
    std::vector<BibleView> views = settings.roles();
    std::vector<BibleStructure> records = settings.selectedBibleArray();
    std::vector<std::vector<bool>> rows = settings.bookmarkArray();
    std::vector<std::string> notes = settings.OverAllSectionQTRecord();
    eraseEntry(views, index);
    eraseEntry(records, index);
    eraseEntry(rows, index);
    eraseEntry(notes, index);
    // A page value reaches its state through its index.
    for (std::size_t i = at(index); i < views.size(); ++i) {
        views[i].pageIndex = Binding<std::int64_t>::constant(static_cast<std::int64_t>(i));
    }
    settings.roles.set(PageListKey(), std::move(views));
    settings.selectedBibleArray.set(PageListKey(), std::move(records));
    settings.bookmarkArray.set(PageListKey(), std::move(rows));
    settings.OverAllSectionQTRecord.set(PageListKey(), std::move(notes));
    return true;
}

void OpenPages::restoreRecords(std::vector<BibleStructure> records) const {
    userSettings_->selectedBibleArray.set(PageListKey(), std::move(records));
}

void OpenPages::rebuildBookmarkRows() const {
    std::vector<std::vector<bool>> rows;
    rows.reserve(userSettings_->selectedBibleArray->size());
    for (const BibleStructure& record : userSettings_->selectedBibleArray.get()) {
        rows.push_back(bookmarkRow(record));
    }
    userSettings_->bookmarkArray.set(PageListKey(), std::move(rows));
}

void OpenPages::resetChapterNotes() const {
    userSettings_->OverAllSectionQTRecord.set(PageListKey(),
                                              std::vector<std::string>(userSettings_->roles->size()));
}

void OpenPages::fitChapterNotes() const {
    const std::size_t count = userSettings_->selectedBibleArray->size();
    userSettings_->OverAllSectionQTRecord.modify(
        PageListKey(), [count](std::vector<std::string>& notes) { notes.resize(count); });
}

bool OpenPages::flipBookmark(std::int64_t index, std::int64_t verse) const {
    const auto& rows = userSettings_->bookmarkArray.get();
    if (!isIndexOf(index, rows.size()) || !isIndexOf(verse, rows[at(index)].size())) {
        return false;
    }
    userSettings_->bookmarkArray.modify(PageListKey(), [&](std::vector<std::vector<bool>>& marks) {
        marks[at(index)][at(verse)] = !marks[at(index)][at(verse)];
    });
    return true;
}

void OpenPages::leaveSearchHit(std::int64_t page, const std::string& locator) const {
    const auto entries = static_cast<std::size_t>(std::max<std::int64_t>(
        page + 2, static_cast<std::int64_t>(userSettings_->selectedBibleArray->size()) + 1));
    const auto leave = [&](std::vector<std::string>& found) {
        if (found.size() <= at(page)) {
            found.resize(entries);
        }
        found[at(page)] = locator;
    };
    userSettings_->foundSectionVerseAndPraiseArray.modify(PageListKey(), leave);
}

void OpenPages::clearSearchHits() const {
    userSettings_->foundSectionVerseAndPraiseArray.set(PageListKey(), {});
}

} // namespace lumenscroll
