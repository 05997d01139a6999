#include "app/shell/TopAreaPanels.h"

#include "app/reading/BibleView.h"
#include "app/reading/PageHandle.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/AboutView.h"
#include "app/shell/AboutViewWidget.h"
#include "app/shell/MediaMoviePlayer.h"
#include "app/shell/SettingsView.h"
#include "app/shell/SettingsViewWidget.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace lumenscroll {

namespace {

// A panel on the page: its drawing, and what the drawing draws, destroyed after the drawing
// and in the reverse order of their making.
class PanelHolder : public QWidget {
public:
    explicit PanelHolder(QWidget* host)
        : QWidget(host) {}
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

QWidget* TopAreaPanels::make(TopAreaPanel panel, const BibleView& page, QWidget* host) {
    const PageEnvironment environment = page.userSettings;
    if (panel == TopAreaPanel::search) {
        // The search page owns its view; it follows its page should the page's index move.
        return new SearchBibleViewWidget(
            page.pageIndex, PageHandle::following(*environment, page.pageIndex, &BibleView::searchBtnPressed),
            *environment, environment.context(), host);
    }
    auto* holder = new PanelHolder(host);
    switch (panel) {
    case TopAreaPanel::search:
        break;
    case TopAreaPanel::settings: {
        auto& view = holder->own(std::make_unique<SettingsView>(*environment, environment.context()));
        holder->setDrawing(new SettingsViewWidget(view, holder));
        break;
    }
    case TopAreaPanel::about: {
        auto& movie = holder->own(std::make_unique<MediaMoviePlayer>());
        auto& view = holder->own(std::make_unique<AboutView>(*environment, environment.context(), movie));
        holder->setDrawing(new AboutViewWidget(view, movie, holder));
        break;
    }
    }
    return holder;
}

} // namespace lumenscroll
