#include "app/reading/PageFront.h"

#include "app/reading/BibleSelectionView.h"
#include "app/reading/ChooserChoices.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/UserSettings.h"

namespace lumenscroll {

BibleView::Front frontmost(const PageHandle& page) {
    const BibleView* view = page.view();
    if (!view) {
        return BibleView::Front::none;
    }
    const UserSettings& settings = page.userSettings();
    if (view->showBibleTranslateSelectionWindow) {
        return BibleView::Front::translationSheet;
    }
    if (view->showBibleSectionSelectionWindow) {
        return BibleView::Front::chapterSheet;
    }
    if (settings.aboutViewBtnPressed()) {
        return BibleView::Front::about;
    }
    if (settings.settingsViewBtnPressed()) {
        return BibleView::Front::settings;
    }
    if (view->searchBtnPressed) {
        return BibleView::Front::search;
    }
    return BibleView::Front::none;
}

bool closeFrontmost(const PageHandle& page) {
    UserSettings& settings = page.userSettings();
    const Binding<std::int64_t> index = Binding<std::int64_t>::constant(page.index());
    switch (frontmost(page)) {
    case BibleView::Front::none:
        return false;
    case BibleView::Front::translationSheet:
        translationSheetContent(settings, index).close();
        return true;
    case BibleView::Front::chapterSheet:
        chapterSheetContent(settings, index).close();
        return true;
    case BibleView::Front::about:
        settings.aboutViewBtnPressed.set(false);
        return true;
    case BibleView::Front::settings:
        settings.settingsViewBtnPressed.set(false);
        return true;
    case BibleView::Front::search:
        page.modifyView([](BibleView& view) { view.searchBtnPressed = false; });
        return true;
    }
    return false;
}

} // namespace lumenscroll
