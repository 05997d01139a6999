#include "app/shell/SettingsPicker.h"

#include "app/platform/Look.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace lumenscroll {

namespace {

// The platform's padding around an entry's text.
constexpr int entryPadding = 6;
constexpr int entryLeading = 12;
// Lighter colours than this get a dark shadow.
constexpr double shadowedLuminance = 0.6;
constexpr int shadowAlpha = 150;
constexpr int highlightAlpha = 38;

double luminance(const QColor& color) {
    return 0.2126 * color.redF() + 0.7152 * color.greenF() + 0.0722 * color.blueF();
}

void drawEntryText(QPainter& painter, const QRect& area, const QString& text, const QColor& color,
                   const QFont& font) {
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, area.width());
    const QPointF baseline(area.left(), area.top() + (area.height() + metrics.ascent() - metrics.descent()) / 2.0);
    painter.save();
    painter.setFont(font);
    if (luminance(color) > shadowedLuminance) {
        painter.setPen(QColor(0, 0, 0, shadowAlpha));
        painter.drawText(baseline + QPointF(1, 1), shown);
    }
    painter.setPen(color);
    painter.drawText(baseline, shown);
    painter.restore();
}

// Draws the entries of the open list in their colours.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.text.clear();
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : nullptr;
        if (style) {
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, view);
        }
        const QColor color = index.data(Qt::ForegroundRole).value<QColor>();
        drawEntryText(*painter, option.rect.adjusted(entryLeading, 0, -entryLeading, 0),
                      index.data(Qt::DisplayRole).toString(), color, option.font);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics metrics(option.font);
        return {metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 2 * entryLeading,
                metrics.height() + 2 * entryPadding};
    }
};

} // namespace

SettingsPicker::SettingsPicker(const std::vector<Entry>& entries, QWidget* parent)
    : QComboBox(parent) {
    setFont(Look::font(TextStyle::title3));
    setCursor(Qt::PointingHandCursor);
    setItemDelegate(new EntryDelegate(this));
    view()->setFont(font());
    // A light highlight: the entry under the pointer keeps its own colour readable.
    QPalette list = view()->palette();
    list.setColor(QPalette::Highlight, QColor(0, 0, 0, highlightAlpha));
    view()->setPalette(list);
    for (const Entry& entry : entries) {
        addItem(entry.text);
        setItemData(count() - 1, entry.color, Qt::ForegroundRole);
    }
    setMaxVisibleItems(static_cast<int>(entries.size()));
}

SettingsPicker::~SettingsPicker() = default;

void SettingsPicker::showIndex(std::int64_t index) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index >= 0 && index < count() ? static_cast<int>(index) : -1);
}

void SettingsPicker::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) {
        return;
    }
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    drawEntryText(painter, field.adjusted(entryPadding, 0, 0, 0), currentText(),
                  itemData(currentIndex(), Qt::ForegroundRole).value<QColor>(), font());
}

} // namespace lumenscroll
