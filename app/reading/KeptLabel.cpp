#include "app/reading/KeptLabel.h"

#include "app/reading/KeptPicture.h"

#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QTextDocument>

namespace lumenscroll {

bool KeptLabel::drawsPlainText() const {
    const bool rich = textFormat() == Qt::RichText || (textFormat() == Qt::AutoText && Qt::mightBeRichText(text()));
    return !rich && !text().isEmpty() && pixmap().isNull() && frameWidth() == 0 && indent() <= 0;
}

void KeptLabel::paintEvent(QPaintEvent* event) {
    if (!drawsPlainText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter(this).drawPixmap(0, 0, keptPicture());
}

bool KeptLabel::paintPlainText(QPainter& painter) {
    if (!drawsPlainText()) {
        return false;
    }
    painter.drawPixmap(0, 0, keptPicture());
    return true;
}

const QPixmap& KeptLabel::keptPicture() {
    // The colour a label's style draws its text in.
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QColor color = palette().color(group, foregroundRole());
    if (text() != drawnText_ || color != drawnColor_) {
        picture_ = QPixmap();
        drawnText_ = text();
        drawnColor_ = color;
    }
    keepPicture(*this, picture_, [this, &color](QPainter& painter) {
        painter.setFont(font());
        painter.setPen(color);
        const int wrap = wordWrap() ? Qt::TextWordWrap : 0;
        const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        painter.drawText(area, static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())) | wrap,
                         text());
    });
    return picture_;
}

void KeptLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::LayoutDirectionChange) {
        picture_ = QPixmap();
    }
    QLabel::changeEvent(event);
}

} // namespace lumenscroll
