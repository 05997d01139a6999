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

    // Draws what the label shows into `painter`, in the label's own coordinates, from the kept
    // picture: for an effect that masks the label every frame (a shimmer), which would otherwise
    // have the platform render the label apart each time. Only plain text: false, and nothing
    // drawn, for rich text, pictures, frames and indents.
    bool paintPlainText(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool drawsPlainText() const;
    // The picture of the text as it reads now, drawn again when the text or colour changed.
    const QPixmap& keptPicture();

    QPixmap picture_;
    // What the picture shows: a label's text and colour change without an event of their own.
    QString drawnText_;
    QColor drawnColor_;
};

} // namespace lumenscroll
