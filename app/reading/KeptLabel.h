#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace lumenscroll {

// A label whose plain text is drawn once into a picture and copied after, for labels on an
// animated gradient: every frame of the gradient repaints them, and the text would be shaped
// and laid out again each time. Rich text, pictures, frames and indents draw as a label does.
class KeptLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool drawsPlainText() const;

    QPixmap picture_;
    // What the picture shows: a label's text and colour change without an event of their own.
    QString drawnText_;
    QColor drawnColor_;
};

} // namespace lumenscroll
