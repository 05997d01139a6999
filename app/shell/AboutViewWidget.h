#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/platform/Subscription.h"
#include "app/reading/KeptLabel.h"

#include <QWidget>

class QLabel;

namespace lumenscroll {

class AboutView;
class MoviePlayer;
class MoviePlayerWidget;
class PanelCloseButton;

// Draws the About panel, 830 by 470: the intro movie, dimmed, behind a column of the title
// with the close button, the description, the support row and the closing row with the icon.
// The support row shows the pointing hand and reveals the payment link while the pointer is
// over it; a click on the payment line opens the link. The movie plays while someone can see
// it: the widget shown, its window not minimised, the application active.
class AboutViewWidget : public QWidget {
    Q_OBJECT

public:
    // `movie` is the panel's movie player, whose frames it paints; it must outlive the widget.
    AboutViewWidget(AboutView& view, MoviePlayer& movie, QWidget* parent = nullptr);
    ~AboutViewWidget() override;

    AboutView& view() const { return view_; }
    MoviePlayerWidget* movie() const { return movie_; }
    PanelCloseButton* closeButton() const { return closeButton_; }
    QWidget* supportRow() const { return supportRow_; }
    QLabel* paymentLine() const { return paymentLine_; }

    static constexpr int width = 830;
    static constexpr int height = 470;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeContent();
    void refresh();
    // Plays or pauses the movie as it is seen or not.
    void followSight();

    AboutView& view_;
    MoviePlayerWidget* movie_;
    QLabel* title_;
    PanelCloseButton* closeButton_;
    QLabel* explanation_;
    QWidget* supportRow_;
    KeptLabel* supportExplanation_;
    KeptLabel* bankAccountInfo_;
    KeptLabel* paymentLine_;
    QLabel* explanation2_;
    QLabel* contact_;
    QLabel* icon_;
    ChangeWatchers watchers_;
    Subscription activity_;
    bool shown_ = false;
};

} // namespace lumenscroll
