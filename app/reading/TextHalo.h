#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QString>

#include <vector>

namespace lumenscroll {

// The dark halo light labels cast on an animated gradient under them, drawn by a widget of its
// own stacked between the two, over the labels' parent: blurred once for each look of the
// labels (texts, pictures, places) and copied after. A halo cast as an effect on each label
// would render the label apart for every frame of the gradient, and a render first lays out
// the whole window.
class TextHalo : public QWidget {
    Q_OBJECT

public:
    // Stacked where it is made: make it after what lies under the labels and before them. It
    // covers its parent; its owner keeps it so when the parent's size changes.
    TextHalo(const QColor& color, qreal blurRadius, QWidget* parent);
    ~TextHalo() override;

    // The labels (children of the same parent) whose drawing casts the halo.
    void setLabels(const std::vector<QLabel*>& labels);

    // How many halos have been blurred so far.
    int blurCount() const { return blurs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the halo depends on, one entry a label: a change of any blurs it again.
    struct Look {
        QRect geometry;
        QString text;
        qint64 picture = 0;
        bool shown = false;
        bool operator==(const Look&) const = default;
    };
    std::vector<Look> looks() const;
    void blur(qreal ratio);

    QColor color_;
    qreal blurRadius_;
    std::vector<QPointer<QLabel>> labels_;
    std::vector<Look> blurredLooks_;
    QImage halo_;
    int blurs_ = 0;
};

} // namespace lumenscroll
