#pragma once

#include "app/model/BiblePraise.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/reading/BibleView.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/UserSettings.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumenscroll {

// Open page `index` where its state lives: its page value in userSettings.roles and its
// chapter record in userSettings.selectedBibleArray. Every other page value (the one a widget
// was built from, the one a handler runs on) is a copy whose state fields go stale, so the
// page's handlers read its state here and write it here, through the owner of the page lists
// (OpenPages), each write announced like any other. A page that is not open reads as absent
// and takes no writes. The operations on a page's chapter, title and translation take one
// (PageOperations.h).
//
// What the read functions return points into the lists: good until the next write to them.
class PageHandle {
public:
    PageHandle(UserSettings& userSettings, std::int64_t index)
        : userSettings_(&userSettings)
        , index_(index) {}

    // The page a page value stands for: the open page its index names now.
    static PageHandle of(const BibleView& page) {
        return PageHandle(*page.userSettings, page.pageIndex.get());
    }

    std::int64_t index() const { return index_; }
    UserSettings& userSettings() const { return *userSettings_; }

    // The page value in roles; null when roles has no entry `index`.
    const BibleView* view() const { return entry(userSettings_->roles.get()); }
    // The chapter record in selectedBibleArray; null when there is no such page.
    const BibleStructure* record() const { return entry(userSettings_->selectedBibleArray.get()); }
    // Verse `verse` of the record; null when the page or the verse is missing.
    const BiblePraise* verse(std::int64_t verse) const {
        const BibleStructure* chapter = record();
        return chapter && isIndexOf(verse, chapter->praises.size()) ? &chapter->praises[at(verse)] : nullptr;
    }
    // The number of verses of the record (0 without one).
    std::size_t verseCount() const {
        const BibleStructure* chapter = record();
        return chapter ? chapter->praises.size() : 0;
    }

    // One announced write to the page value; false, and nothing written, without one.
    template <class Change> bool modifyView(Change&& change) const {
        return OpenPages(*userSettings_).modifyView(index_, std::forward<Change>(change));
    }
    // One announced write to the record; false, and nothing written, without one.
    template <class Change> bool modifyRecord(Change&& change) const {
        return OpenPages(*userSettings_).modifyRecord(index_, std::forward<Change>(change));
    }
    // One announced write to verse `verse` of the record; false without it.
    template <class Change> bool modifyVerse(std::int64_t verse, Change&& change) const {
        if (!this->verse(verse)) {
            return false;
        }
        return modifyRecord([&](BibleStructure& chapter) { std::forward<Change>(change)(chapter.praises[at(verse)]); });
    }

    // A binding to one state field of the page value, for the widgets and rows the page hands
    // it to. Without a page value it reads as T{} and ignores writes.
    template <class T> Binding<T> binding(T BibleView::*field) const {
        return fieldBinding([page = *this] { return page; }, field);
    }

    // The same for a widget that stays with its page while the page's index moves (a page
    // before it closed): each use finds the page at what `index` reads then.
    template <class T>
    static Binding<T> following(UserSettings& userSettings, Binding<std::int64_t> index, T BibleView::*field) {
        return fieldBinding([&userSettings, index] { return PageHandle(userSettings, index.get()); }, field);
    }
    // The page's record, likewise; a default record, taking no writes, without a page.
    static Binding<BibleStructure> followingRecord(UserSettings& userSettings, Binding<std::int64_t> index) {
        return Binding<BibleStructure>(
            [&userSettings, index] {
                const BibleStructure* record = PageHandle(userSettings, index.get()).record();
                return record ? *record : BibleStructure{};
            },
            [&userSettings, index](const BibleStructure& value) {
                PageHandle(userSettings, index.get()).modifyRecord([&](BibleStructure& record) { record = value; });
            });
    }

private:
    template <class T, class Locate> static Binding<T> fieldBinding(Locate locate, T BibleView::*field) {
        return Binding<T>(
            [locate, field] {
                const PageHandle page = locate();
                const BibleView* view = page.view();
                return view ? view->*field : T{};
            },
            [locate, field](const T& value) { locate().modifyView([&](BibleView& view) { view.*field = value; }); });
    }

    template <class T> const T* entry(const std::vector<T>& list) const {
        return isIndexOf(index_, list.size()) ? &list[at(index_)] : nullptr;
    }

    UserSettings* userSettings_;
    std::int64_t index_;
};

} // namespace lumenscroll
