#include "app/shell/MainViewWidget.h"

#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPalette>

namespace lumenscroll {

namespace {

// The carousel rises 4 points into the space above it.
constexpr int carouselRise = 4;
constexpr int barLeadingPadding = 25;
// The platform's default padding.
constexpr int barTopPadding = 16;
constexpr int barBottomPadding = 20;
constexpr double mainAreaOpacity = 0.85;

const char* buttonObjectName(std::int64_t index) {
    switch (index) {
    case MainView::bibleIndex:
        return "bibleButton";
    case MainView::newPageIndex:
        return "newPageButton";
    case MainView::settingsIndex:
        return "settingsButton";
    default:
        return "aboutButton";
    }
}

void fill(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

} // namespace

MainViewWidget::MainViewWidget(MainView& view, QWidget* parent, MoviePlayer* aboutMovie)
    : QWidget(parent)
    , view_(view)
    , mainArea_(new QWidget(this))
    , carouselArea_(new QWidget(mainArea_))
    , carouselView_(new CarouselViewWidget(view.carousel(), carouselArea_, {}, aboutMovie))
    , buttonBar_(new QWidget(mainArea_))
    , watchers_(view.context().scheduler()) {
    resize(width, height);
    mainArea_->setObjectName(QStringLiteral("mainArea"));
    mainArea_->setGeometry(0, 0, width, height);
    fill(mainArea_, Look::color(NamedColor::black, mainAreaOpacity));

    // The carousel and the bar stand as one column in the middle of the area.
    const int columnTop = (height - (carouselHeight - carouselRise) - barHeight) / 2;
    carouselArea_->setObjectName(QStringLiteral("carouselArea"));
    carouselArea_->setGeometry(0, columnTop - carouselRise, width, carouselHeight);
    carouselView_->setGeometry(0, 0, width, carouselHeight);

    buttonBar_->setObjectName(QStringLiteral("buttonBar"));
    buttonBar_->setGeometry((width - barWidth) / 2, columnTop - carouselRise + carouselHeight, barWidth, barHeight);
    auto* bar = new QHBoxLayout(buttonBar_);
    bar->setContentsMargins(barLeadingPadding, barTopPadding, barLeadingPadding, barBottomPadding);
    bar->setSpacing(0);
    for (const MainView::BarButton& entry : MainView::barButtons()) {
        if (!buttons_.empty()) {
            bar->addStretch(1);
        }
        auto* button = new MainBarButton(view_, entry.index, buttonBar_);
        button->setObjectName(QString::fromLatin1(buttonObjectName(entry.index)));
        const std::int64_t index = entry.index;
        connect(button, &QAbstractButton::clicked, this, [this, index] { view_.pressButton(index); });
        bar->addWidget(button, 0, Qt::AlignVCenter);
        buttons_.push_back(button);
    }

    watchers_.observe(view_);
    watchers_.observe(view_.userSettings);
    watchers_.watch([this] { return view_.index(); }, [this](std::int64_t) { refresh(); });
    watchers_.watch([this] { return view_.userSettings.isMainTabBarHide(); }, [this](bool) { refresh(); });
    watchers_.watch([this] { return view_.scheme(); }, [this](ColorScheme) { refresh(); });
    refresh();
}

MainViewWidget::~MainViewWidget() = default;

void MainViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        view_.appear();
    }
}

void MainViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void MainViewWidget::refresh() {
    mainArea_->setVisible(view_.isMainAreaShown());
    buttonBar_->setVisible(view_.isButtonBarShown());
    for (MainBarButton* button : buttons_) {
        button->refresh();
    }
}

} // namespace lumenscroll
