#pragma once

#include <cstdint>

namespace lumenscroll {

class CarouselView;

// The carousel's restore: the pages of the last run brought back when it first appears, and
// the restored page values, which the fill builds the same way. The stored values come back
// through PageStatePersistence; then every stored page gets its page value and its verses
// read anew from the text resources with the marks the stored page carries, or, with no
// stored page, one page opens on Genesis 1. Every page-list write goes through OpenPages.
class PageRestore {
public:
    explicit PageRestore(CarouselView& carousel)
        : carousel_(carousel) {}

    // See CarouselView::restorePages.
    void restorePages() const;
    // Appends the page value of record `index` as the restore builds it, titled, with a title
    // photo drawn from the carousel's.
    void appendPageView(std::int64_t index) const;

private:
    void restoreStoredPages() const;
    void openFirstRunPage() const;

    CarouselView& carousel_;
};

} // namespace lumenscroll
