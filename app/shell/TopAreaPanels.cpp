#include "app/shell/TopAreaPanels.h"

#include "app/platform/AppContext.h"
#include "app/reading/BibleView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/UserSettings.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/AboutView.h"
#include "app/shell/AboutViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/MediaMoviePlayer.h"
#include "app/shell/SettingsView.h"
#include "app/shell/SettingsViewWidget.h"

#include <memory>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

// A panel: its drawing, and what the drawing draws, destroyed after the drawing and in the
// reverse order of their making.
class PanelHolder : public QWidget {
public:
    PanelHolder() = default;
    ~PanelHolder() override {
        delete drawing_;
        while (!owned_.empty()) {
            owned_.pop_back();
        }
    }

    template <class T> T& own(std::unique_ptr<T> object) {
        T& kept = *object;
        owned_.push_back(std::shared_ptr<T>(std::move(object)));
        return kept;
    }
    void setDrawing(QWidget* drawing) {
        drawing_ = drawing;
        setFixedSize(drawing->size());
    }

private:
    std::vector<std::shared_ptr<void>> owned_;
    QWidget* drawing_ = nullptr;
};

} // namespace

TopAreaPanels::TopAreaPanels(CarouselView& carousel, MoviePlayer* movie)
    : carousel_(carousel)
    , movie_(movie)
    , watchers_(carousel.context().scheduler()) {
    aside_.hide();
    watchers_.observe(carousel_.userSettings);
    watchers_.watch(
        [this] { return std::pair(isFlagSet(TopAreaPanel::settings), isFlagSet(TopAreaPanel::about)); },
        [this](const std::pair<bool, bool>&) { dropLowered(); });
}

TopAreaPanels::~TopAreaPanels() {
    for (QPointer<QWidget>& panel : shared_) {
        delete panel.data();
    }
}

ObjectWillChangePublisher& TopAreaPanels::publisher() {
    return carousel_.publisher();
}

bool TopAreaPanels::isOnScreen(std::int64_t pageIndex) const {
    return pageIndex == carousel_.selectedTab();
}

QWidget* TopAreaPanels::shared(TopAreaPanel panel) const {
    return panel == TopAreaPanel::search ? nullptr : shared_[panel == TopAreaPanel::settings ? 0 : 1].data();
}

QPointer<QWidget>& TopAreaPanels::slot(TopAreaPanel panel) {
    return shared_[panel == TopAreaPanel::settings ? 0 : 1];
}

bool TopAreaPanels::isFlagSet(TopAreaPanel panel) const {
    const UserSettings& settings = carousel_.userSettings;
    switch (panel) {
    case TopAreaPanel::search:
        break;
    case TopAreaPanel::settings:
        return settings.settingsViewBtnPressed();
    case TopAreaPanel::about:
        return settings.aboutViewBtnPressed();
    }
    return false;
}

QWidget* TopAreaPanels::take(TopAreaPanel panel, const BibleView& page, QWidget* host) {
    if (panel == TopAreaPanel::search) {
        // The search page owns its view; it follows its page should the page's index move.
        const PageEnvironment environment = page.userSettings;
        return new SearchBibleViewWidget(
            page.pageIndex, PageHandle::following(*environment, page.pageIndex, &BibleView::searchBtnPressed),
            *environment, environment.context(), host);
    }
    if (!isFlagSet(panel)) {
        return nullptr;
    }
    QPointer<QWidget>& widget = slot(panel);
    if (!widget) {
        widget = build(panel);
    }
    widget->setParent(host);
    return widget;
}

void TopAreaPanels::giveBack(TopAreaPanel panel, QWidget* widget, QWidget* host) {
    if (panel == TopAreaPanel::search) {
        delete widget;
        return;
    }
    if (widget != slot(panel) || widget->parentWidget() != host) {
        return;
    }
    if (!isFlagSet(panel)) {
        delete widget;
        return;
    }
    widget->setParent(&aside_);
}

void TopAreaPanels::dropLowered() {
    for (const TopAreaPanel panel : {TopAreaPanel::settings, TopAreaPanel::about}) {
        if (!isFlagSet(panel)) {
            delete slot(panel).data();
        }
    }
}

QWidget* TopAreaPanels::build(TopAreaPanel panel) {
    UserSettings& settings = carousel_.userSettings;
    AppContext& context = carousel_.context();
    auto* holder = new PanelHolder;
    if (panel == TopAreaPanel::settings) {
        auto& view = holder->own(std::make_unique<SettingsView>(settings, context));
        holder->setDrawing(new SettingsViewWidget(view, holder));
        return holder;
    }
    MoviePlayer& movie = movie_ != nullptr ? *movie_ : holder->own(std::make_unique<MediaMoviePlayer>());
    // Its movie is let go of with the view, the shared player staying behind idle.
    auto& view = holder->own(std::make_unique<AboutView>(settings, context, movie));
    holder->setDrawing(new AboutViewWidget(view, movie, holder));
    return holder;
}

} // namespace lumenscroll
