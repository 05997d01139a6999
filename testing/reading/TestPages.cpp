#include "testing/reading/TestPages.h"

#include "app/platform/Binding.h"
#include "app/reading/PageEnvironment.h"
#include "app/reading/UserSettings.h"
#include "testing/reading/PageListKeyForTests.h"

#include <string>
#include <utility>

namespace lumenscroll::testing {

BibleView makePage(UserSettings& settings, AppContext& context, std::int64_t index) {
    return BibleView{
        .isShrinkStatus = Binding<bool>::constant(false),
        .userSettings = PageEnvironment(settings, context),
        .pageIndex = Binding<std::int64_t>::constant(index),
        .prevPageIndex = Binding<std::int64_t>::constant(0),
        .pickedPhotoName = Binding<std::string>::constant("TopArea1"),
        .plusBible = Binding<bool>::to(settings.plusBible),
        .plusBible2 = Binding<bool>::to(settings.plusBible2),
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .bibleViewFixedIndex = index,
    };
}

void openPages(UserSettings& settings, AppContext& context, const std::vector<BibleStructure>& records) {
    settings.selectedBibleArray.set(pageListKey(), records);
    settings.markBook.modify([&](MarkBook& book) { book.takeMarksOfChaptersMissing(records); });
    std::vector<BibleView> views;
    for (std::size_t i = 0; i < records.size(); ++i) {
        views.push_back(makePage(settings, context, static_cast<std::int64_t>(i)));
    }
    settings.roles.set(pageListKey(), std::move(views));
}

} // namespace lumenscroll::testing
