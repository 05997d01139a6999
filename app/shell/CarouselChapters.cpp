#include "app/shell/CarouselChapters.h"

#include "app/platform/Trace.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"

#include <string>

namespace lumenscroll {

bool retitlePage(const PageHandle& page) {
    if (!page.record() || !page.view()) {
        return false;
    }
    matchLanguageToTranslation(page);
    refreshPageTitle(page);
    return true;
}

BibleStructure makeChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                           std::int64_t chapter, BibleKind kind) {
    trace("bibleKind : " + std::string(translationDisplayName(kind)));
    return readChapter(page, context, bookIndex, chapter, kind);
}

} // namespace lumenscroll
