#pragma once

#include "app/platform/Binding.h"
#include "app/platform/ChangeWatchers.h"
#include "app/platform/Subscription.h"

#include <QObject>
#include <QPixmap>
#include <QPointF>
#include <QVariantAnimation>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace lumenscroll {

class CarouselView;

// One page of the carousel on screen: the page's own widget, 1200 by 670, standing 36 points
// below the top of a cell as tall as the carousel. It is seen while it is the current page or
// in the overview mode, and its first showing is the page cell's appearance.
//
// In the overview mode the page is drawn at 80 % about its centre, from a picture of it: a
// widget cannot be scaled, and the page's parts carry graphics effects of their own, which an
// effect on the whole page would drop. The page itself stays shown, out of sight, so that it
// keeps working and the picture follows it; a tap on the picture ends the overview mode. Only
// a cell the carousel shows keeps a picture, at the size it is drawn at.
//
// The cell, and its page, stay when pages before it close: its index moves instead.
class CarouselViewPageCell : public QWidget {
    Q_OBJECT

public:
    // Builds the cell's page from the cell's index, which it follows.
    using PageFactory = std::function<QWidget*(Binding<std::int64_t> index)>;

    // Takes what `makePage` builds over as its child.
    CarouselViewPageCell(CarouselView& carousel, std::int64_t index, const PageFactory& makePage,
                         QWidget* parent = nullptr);
    ~CarouselViewPageCell() override;

    std::int64_t index() const { return *index_; }
    // The cell now stands at `index`.
    void setIndex(std::int64_t index);
    QWidget* page() const { return page_; }
    // What a tap in the overview mode lands on: the page as drawn there.
    QWidget* tapArea() const { return tapArea_; }
    // The scale the page is drawn at now (it trails the carousel's while it changes).
    qreal shownScale() const { return scale_; }
    // Whether the page is drawn from its picture.
    bool isDrawnScaled() const { return scale_ != 1.0; }
    bool hasPicture() const { return !picture_.isNull(); }

    static constexpr int width = 1200;
    static constexpr int height = 728;
    static constexpr int pageTop = 36;
    static constexpr int pageHeight = 670;
    // A change of the shared state is drawn into the picture this much later: once a frame
    // at most, however many changes one action makes.
    static constexpr std::chrono::milliseconds pictureDelay{16};

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void setScale(qreal scale);
    QRect scaledPageRect(qreal scale) const;
    void takePicture();
    void schedulePicture();

    CarouselView& carousel_;
    // Shared with the page's index binding.
    std::shared_ptr<std::int64_t> index_;
    QWidget* page_;
    QWidget* tapArea_;
    qreal scale_ = 1.0;
    QPixmap picture_;
    QVariantAnimation scaling_;
    ChangeWatchers watchers_;
    Subscription stateChanges_;
    // What posted pictures are tied to.
    QObject pictureContext_;
    bool picturePending_ = false;
    std::optional<QPointF> press_;
    bool appeared_ = false;
};

} // namespace lumenscroll
