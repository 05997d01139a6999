#pragma once

#include "app/reading/BibleView.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lumenscroll {

class AppContext;
class UserSettings;

// The carousel's restore: the pages of the last run brought back when it first appears, and
// the restored page values, which the fill builds the same way. The stored values and the mark
// book come back through PageStatePersistence; then every stored page gets its page value and
// its verses read anew from the text resources with its chapter's marks from the mark book, or,
// with no stored page, one page opens on Genesis 1, with its marks. Every page-list write goes
// through OpenPages.
class PageRestore {
public:
    // The value of page `index` as the carousel makes its pages' values, bound to it
    // (CarouselView::restoredPageView).
    using PageValueMaker = std::function<BibleView(std::int64_t index)>;

    // `titlePhotos`: the photos a restored page's title photo is drawn from.
    PageRestore(UserSettings& settings, AppContext& context, PageValueMaker makePage,
                const std::vector<std::string>& titlePhotos)
        : settings_(settings)
        , context_(context)
        , makePage_(std::move(makePage))
        , titlePhotos_(titlePhotos) {}

    // See CarouselView::restorePages.
    void restorePages() const;
    // Appends the page value of record `index` as the restore builds it, with a title photo
    // drawn from the title photos, and titles it.
    void appendPageView(std::int64_t index) const;

private:
    void restoreStoredPages() const;
    void openFirstRunPage() const;

    UserSettings& settings_;
    AppContext& context_;
    PageValueMaker makePage_;
    const std::vector<std::string>& titlePhotos_;
};

} // namespace lumenscroll
