#pragma once

#include "app/search/KindOfBibleSearchView.h"

#include <QWidget>

class QAbstractButton;
class QListWidget;

namespace lumenscroll {

class AppContext;

// Draws the search page's translation chooser, a sheet 300 by 200 points: the shared title
// row with the close button at its trailing end over it, then a narrow centred list with one
// row per translation provided, its name in the title-2 font. A click on a row chooses it.
class KindOfBibleSearchViewWidget : public QWidget {
    Q_OBJECT

public:
    KindOfBibleSearchViewWidget(KindOfBibleSearchView view, AppContext& context, QWidget* parent = nullptr);
    ~KindOfBibleSearchViewWidget() override;

    const KindOfBibleSearchView& view() const { return view_; }
    QAbstractButton* closeButton() const { return closeButton_; }
    QListWidget* list() const { return list_; }

    // Lists the rows the shared state provides now.
    void refresh();

    static constexpr int width = 300;
    static constexpr int height = 200;
    static constexpr int cornerRadius = 10;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KindOfBibleSearchView view_;
    QAbstractButton* closeButton_;
    QListWidget* list_;
};

} // namespace lumenscroll
