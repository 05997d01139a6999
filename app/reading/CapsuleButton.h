#pragma once

#include <QAbstractButton>
#include <QString>

class QLabel;

namespace lumenscroll {

class AppContext;
class AnimatableGradientViewWidget;

// The page's two capsules, the translation label and the chapter title: white bold text in the
// title typeface on the animated gradient at half opacity, clipped to a capsule, with a wide
// black halo.
class CapsuleButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit CapsuleButton(AppContext& context, QWidget* parent = nullptr);
    ~CapsuleButton() override;

    QString caption() const;
    // Resizes the capsule to the new text.
    void setCaption(const QString& caption);
    AnimatableGradientViewWidget& background() const { return *gradient_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int fontSize = 27;
    static constexpr int horizontalPadding = 10;
    static constexpr int verticalPadding = 5;

protected:
    // The face, a child, draws it all.
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* face_;
    AnimatableGradientViewWidget* gradient_;
    QLabel* label_;
};

} // namespace lumenscroll
