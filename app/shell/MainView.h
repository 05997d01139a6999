#pragma once

#include "app/platform/Binding.h"
#include "app/platform/ChangeWatchers.h"
#include "app/platform/NamedColor.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/platform/ColorScheme.h"

#include <QUrl>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace lumenscroll {

class AppContext;
class CarouselView;
class UserSettings;

// The window's content once the start-up screen is done: the page carousel on a dark area
// and, under it, a bar of four buttons. The buttons do no work themselves: they select
// themselves and set flags, here (bound into the carousel) or in the shared state, and the
// carousel and the reading pages react to those flags.
//
// Drawn by MainViewWidget: nothing but white until the first selection, 0.1 seconds after the
// view first appears; then the carousel (CarouselView) and, unless isMainTabBarHide, the button
// bar.
class MainView : public ObservableObject {
public:
    struct BarButton {
        std::int64_t index;
        const char* label;
        // The platform symbol the button shows.
        const char* symbol;
    };

    static constexpr std::int64_t noSelection = -1;
    static constexpr std::int64_t bibleIndex = 0;
    static constexpr std::int64_t newPageIndex = 1;
    static constexpr std::int64_t settingsIndex = 2;
    static constexpr std::int64_t aboutIndex = 3;
    static constexpr std::chrono::milliseconds firstSelectionDelay{100};

    // The four buttons in bar order.
    static const std::array<BarButton, 4>& barButtons();

    // `pagesRestored` is handed to the page carousel, which sets it once it has restored the
    // saved pages.
    MainView(UserSettings& userSettings, AppContext& context,
             Binding<bool> pagesRestored = Binding<bool>::constant(false));
    ~MainView() override;
    MainView(const MainView&) = delete;
    MainView& operator=(const MainView&) = delete;

    // The selected button: noSelection until the first selection.
    Published<std::int64_t> index{*this, noSelection};
    UserSettings& userSettings;
    // Kept from the original layout; nothing reads them.
    Published<bool> isHide{*this, false};
    Published<bool> isHide2{*this, false};
    Published<bool> showToast{*this, false};
    Published<std::string> toastMessage{*this, {}};
    Published<bool> showLoadingToast{*this, false};
    Published<std::optional<QUrl>> fileURL{*this, std::nullopt};
    Published<std::optional<QUrl>> fileURL2{*this, std::nullopt};
    // Bound into the carousel.
    Published<bool> matched{*this, false};
    // Not used: the carousel is given the shared flag instead.
    Published<bool> plusBible{*this, false};
    // The carousel's overview mode, toggled by "Bible" while "Bible" is selected, and ended by
    // "Bible" pressed while another button is.
    Published<bool> isShrinked{*this, false};
    // Bound into the carousel; set by "New Page".
    Published<bool> plusBtnPressed{*this, false};
    Published<ColorScheme> scheme{*this, ColorScheme::light};
    // For the carousel: set once the saved pages are restored.
    Binding<bool> pagesRestored;

    // The view came on screen for the first time: the first selection is posted. Later calls
    // do nothing.
    void appear();
    // Selects "Bible" 0.1 seconds from now.
    void resetIndexAfterDelay();

    // The buttons.
    void bibleButtonPressed();
    void newPageButtonPressed();
    void settingsButtonPressed();
    void aboutButtonPressed();
    // Calls the handler of the button with `buttonIndex`.
    void pressButton(std::int64_t buttonIndex);

    // The main area appeared: a user record with an id and an e-mail address is marked logged
    // in (in place: the shared state announces nothing).
    void markUserLoggedIn();

    bool isMainAreaShown() const { return index() != noSelection; }
    bool isButtonBarShown() const;
    // The colour of a button's symbol and label.
    NamedColor labelColor(std::int64_t buttonIndex) const;

    AppContext& context() const { return context_; }
    // The carousel of reading pages, made with the view and bound to its flags.
    CarouselView& carousel() const { return *carousel_; }

private:
    // The bar hands every change of the selection it sees to the shared tabIndex; the
    // selection it finds when it comes on screen is not a change.
    void publishTabIndex(std::pair<bool, std::int64_t> bar);

    AppContext& context_;
    ChangeWatchers watchers_;
    std::pair<bool, std::int64_t> lastBar_;
    bool appeared_ = false;
    // Last: it binds to the fields above and goes before them.
    std::unique_ptr<CarouselView> carousel_;
};

} // namespace lumenscroll
