#pragma once

#include "app/reading/QTView.h"

#include <QWidget>

namespace lumenscroll {

// Draws the chapter note view: one empty line in the note font, 5 points in from the leading
// edge and 5 above the bottom, centred across the row.
class QTViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit QTViewWidget(QTView view, QWidget* parent = nullptr);
    ~QTViewWidget() override;

    const QTView& view() const { return view_; }

private:
    QTView view_;
};

} // namespace lumenscroll
