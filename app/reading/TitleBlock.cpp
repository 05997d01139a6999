#include "app/reading/TitleBlock.h"

#include "app/model/BibleBook.h"
#include "app/platform/RandomSource.h"
#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"

#include <optional>

namespace lumenscroll {

namespace {

// The book and chapter the title was rebuilt from.
void traceRebuiltTitle(const PageHandle& page) {
    const BibleStructure* record = page.record();
    const std::optional<BibleBook> book = record ? bibleBookFromRaw(record->sectionIndex) : std::nullopt;
    if (!book || !page.view()) {
        return;
    }
    trace("chapter " + std::string(bookName(record->language, *book)));
    trace("verse " + std::to_string(chapterNumber(*record)));
}

} // namespace

void rebuildTitle(const PageHandle& page) {
    rebuildPageTitle(page);
    traceRebuiltTitle(page);
}

void userSelectBibleSectionRaised(const PageHandle& page, bool raised) {
    if (!raised) {
        return;
    }
    rebuildPageTitle(page);
    page.modifyView([](BibleView& shown) { shown.userSelectBibleSection = false; });
}

std::string shownTitle(const PageHandle& page) {
    const BibleView* view = page.view();
    return view ? view->bibleSectionTitle : std::string();
}

std::string shownTitlePhoto(const PageHandle& page) {
    const BibleView* view = page.view();
    return view ? view->pickedPhotoName.get() : std::string();
}

std::string shownTranslation(const PageHandle& page) {
    const BibleStructure* record = page.record();
    return record ? std::string(translationDisplayName(record->kindOfBible)) : std::string();
}

bool isTitleBlockShown(const PageHandle& page) {
    return page.record() != nullptr;
}

std::string randomTitlePhoto(const std::vector<std::string>& photos, RandomSource& random) {
    if (photos.empty()) {
        return {};
    }
    const int index = random.below(static_cast<int>(photos.size()));
    return photos[at(index)];
}

} // namespace lumenscroll
