#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

class QPainter;

namespace lumenscroll {

// One colour of the selection bar's highlighter: a circle of the colour, outlined in black,
// with a check mark while it is the verse's highlight.
class HighlightSwatchButton : public QAbstractButton {
    Q_OBJECT

public:
    HighlightSwatchButton(const QColor& color, QWidget* parent = nullptr);
    ~HighlightSwatchButton() override;

    const QColor& color() const { return color_; }
    void setChecked(bool checked);
    bool isChecked() const { return checked_; }

    QSize sizeHint() const override;

    static constexpr int diameter = 20;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintSwatch(QPainter& painter) const;

    QColor color_;
    bool checked_ = false;
    QPixmap picture_;
};

} // namespace lumenscroll
