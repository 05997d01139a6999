#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace lumenscroll {

class ResourceLocator;

// A plain (bezel-less) button showing a platform symbol and, below or beside it, a caption:
// the page's search, deselect and copy buttons, the navigation chevrons and the selection
// bar's bookmark button. A shadow given to it (DropShadowEffect::Outline::layout) is told when
// its symbol or look changes, the only changes to its outline besides its layout.
class SymbolButton : public QAbstractButton {
    Q_OBJECT

public:
    struct Style {
        QString symbol;
        // Points, the symbol's side.
        int symbolSize = 30;
        QString caption;
        QFont captionFont;
        QColor color = Qt::white;
        // The caption under the symbol, or beside it.
        Qt::Orientation orientation = Qt::Vertical;
        // A soft black shadow down and to the right of symbol and caption.
        bool shadow = false;
    };

    SymbolButton(const ResourceLocator& resources, Style style, QWidget* parent = nullptr);
    ~SymbolButton() override;

    const Style& style() const { return style_; }
    void setSymbol(const QString& symbol);
    // Drawn at `opacity`, the symbol's own colour at `symbolOpacity` on top of that.
    void setLook(qreal opacity, qreal symbolOpacity);
    qreal opacity() const { return opacity_; }
    qreal symbolOpacity() const { return symbolOpacity_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshSymbol();
    void paintContent(QPainter& painter) const;

    const ResourceLocator& resources_;
    Style style_;
    QPixmap symbolPixmap_;
    // Symbol and caption as drawn, until the symbol or the look changes.
    QPixmap picture_;
    qreal opacity_ = 1.0;
    qreal symbolOpacity_ = 1.0;
};

} // namespace lumenscroll
