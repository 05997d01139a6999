#include "app/reading/VerseMarks.h"

#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/UserSettings.h"

namespace lumenscroll {

void toggleBookmark(const PageHandle& page, const AppContext& context, std::int64_t verse) {
    if (!changeVerseMarks(page, verse, [](BiblePraise& praise) { praise.bookmarked = !praise.bookmarked; })) {
        return;
    }
    OpenPages(page.userSettings()).flipBookmark(page.index(), verse);
    page.userSettings().savePageState(context);
}

void highlight(const PageHandle& page, const AppContext& context, std::int64_t verse, std::int64_t color,
               std::size_t ownColorCount) {
    const BibleView* view = page.view();
    const std::size_t colors = view ? view->bgColorArray.size() : ownColorCount;
    if (!isIndexOf(color, colors)) {
        return;
    }
    const bool changed = changeVerseMarks(
        page, verse, [color](BiblePraise& praise) { praise.bgColor = praise.bgColor == color ? 0 : color; });
    if (changed) {
        page.userSettings().savePageState(context);
    }
}

} // namespace lumenscroll
