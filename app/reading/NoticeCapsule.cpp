#include "app/reading/NoticeCapsule.h"

#include "app/platform/Look.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace lumenscroll {

namespace {

constexpr int textFlags = Qt::AlignCenter | Qt::TextWordWrap;

} // namespace

NoticeCapsule::NoticeCapsule(QWidget* parent)
    : QWidget(parent) {
    setFont(Look::font(TextStyle::title3));
}

NoticeCapsule::~NoticeCapsule() = default;

void NoticeCapsule::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    update();
}

QSize NoticeCapsule::sizeFor(int maximumWidth) const {
    const QFontMetrics metrics(font());
    const int available = std::max(1, maximumWidth - padding.left() - padding.right());
    const int line = metrics.horizontalAdvance(text_) + 1;
    const QRect text = line <= available ? QRect(0, 0, line, metrics.height())
                                         : metrics.boundingRect(QRect(0, 0, available, 0), textFlags, text_);
    return {text.width() + padding.left() + padding.right(),
            text.height() + padding.top() + padding.bottom()};
}

void NoticeCapsule::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    const qreal radius = std::min(cornerRadius, height() / 2.0);
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    painter.setPen(Qt::white);
    painter.drawText(rect().marginsRemoved(padding), textFlags, text_);
}

} // namespace lumenscroll
