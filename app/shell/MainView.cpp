#include "app/shell/MainView.h"

#include "app/model/User.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/shell/CarouselView.h"

namespace lumenscroll {

const std::array<MainView::BarButton, 4>& MainView::barButtons() {
    static const std::array<BarButton, 4> buttons{{
        {bibleIndex, "Bible", "book"},
        {newPageIndex, "New Page", "plus.square.on.square"},
        {settingsIndex, "Settings", "gear"},
        {aboutIndex, "About", "menucard"},
    }};
    return buttons;
}

MainView::MainView(UserSettings& userSettings, AppContext& context, Binding<bool> pagesRestored)
    : userSettings(userSettings)
    , pagesRestored(std::move(pagesRestored))
    , context_(context)
    , watchers_(context.scheduler())
    , lastBar_(isButtonBarShown(), index()) {
    watchers_.observe(*this);
    watchers_.observe(userSettings);
    watchers_.watch([this] { return std::pair(isButtonBarShown(), index()); },
                    [this](const std::pair<bool, std::int64_t>& bar) { publishTabIndex(bar); });
    watchers_.watch([this] { return isMainAreaShown(); },
                    [this](bool shown) {
                        if (shown) {
                            markUserLoggedIn();
                        }
                    });
    // The carousel is given the shared "New Page" flag as it is now, not this view's own.
    carousel_ = std::make_unique<CarouselView>(
        userSettings, context, Binding<bool>::to(matched), Binding<bool>::constant(userSettings.plusBible()),
        Binding<bool>::to(isShrinked), Binding<bool>::to(plusBtnPressed), BibleView::defaultTitlePhotoArray(),
        this->pagesRestored, &publisher());
}

MainView::~MainView() = default;

void MainView::appear() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    resetIndexAfterDelay();
}

void MainView::resetIndexAfterDelay() {
    context_.scheduler().postAfter(this, firstSelectionDelay, [this] { index.set(bibleIndex); });
}

void MainView::bibleButtonPressed() {
    if (index() != bibleIndex) {
        index.set(bibleIndex);
        // Another button was pressed in the overview mode ("New Page" adds its page there): one
        // press of "Bible" ends the mode, as it would have before that press.
        if (isShrinked()) {
            isShrinked.set(false);
        }
        return;
    }
    isShrinked.set(!isShrinked());
}

void MainView::newPageButtonPressed() {
    index.set(newPageIndex);
    userSettings.plusBible.set(true);
    plusBtnPressed.set(true);
}

void MainView::settingsButtonPressed() {
    index.set(settingsIndex);
    userSettings.settingsViewBtnPressed.set(!userSettings.settingsViewBtnPressed());
}

void MainView::aboutButtonPressed() {
    index.set(aboutIndex);
    userSettings.aboutViewBtnPressed.set(!userSettings.aboutViewBtnPressed());
}

void MainView::pressButton(std::int64_t buttonIndex) {
    switch (buttonIndex) {
    case bibleIndex:
        bibleButtonPressed();
        return;
    case newPageIndex:
        newPageButtonPressed();
        return;
    case settingsIndex:
        settingsButtonPressed();
        return;
    case aboutIndex:
        aboutButtonPressed();
        return;
    default:
        return;
    }
}

void MainView::markUserLoggedIn() {
    const std::shared_ptr<User>& user = userSettings.user();
    if (!user || user->id.empty() || user->email.empty()) {
        return;
    }
    user->loginned = true;
}

bool MainView::isButtonBarShown() const {
    return isMainAreaShown() && !userSettings.isMainTabBarHide();
}

NamedColor MainView::labelColor(std::int64_t buttonIndex) const {
    if (buttonIndex == index() && scheme() == ColorScheme::light) {
        return NamedColor::black;
    }
    return NamedColor::white;
}

void MainView::publishTabIndex(std::pair<bool, std::int64_t> bar) {
    const bool wasShown = lastBar_.first;
    const std::int64_t previous = lastBar_.second;
    lastBar_ = bar;
    if (wasShown && bar.first && bar.second != previous) {
        userSettings.tabIndex.set(bar.second);
    }
}

} // namespace lumenscroll
