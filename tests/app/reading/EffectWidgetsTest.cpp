// The reading page's effects as drawn, rendered offscreen with grab(): their pixels, frames and
// pauses.

#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/KeptLabel.h"
#include "app/reading/PanelShadow.h"
#include "app/reading/RoundedClipEffect.h"
#include "app/reading/SheetLook.h"
#include "app/reading/ShimmerEffect.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TextHalo.h"

#include "app/platform/Binding.h"
#include "testing/platform/TestAppContext.h"

#include "../SolidWidget.h"

#include <QApplication>
#include <QColor>
#include <QGraphicsDropShadowEffect>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;
using testing::solidWidget;

bool near(const QColor& actual, const QColor& expected, int tolerance = 3) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

TEST(AnimatableGradientViewWidget, DrawsTheLowerGradientThenCrossFadesAndStopsWhenHidden) {
    TestAppContext test;
    bool colored = false;
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    host.setPalette(palette);
    host.resize(200, 100);
    auto* gradient = new AnimatableGradientViewWidget(test.context(), Binding<bool>::to(colored), &host);
    gradient->resize(200, 100);
    EXPECT_FALSE(gradient->view().hasTimer());
    host.show();
    EXPECT_TRUE(gradient->view().hasTimer());

    const auto toColor = [](const AnimatableGradientView::Color& color) {
        return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                                static_cast<float>(color.blue));
    };
    QImage image = host.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(0, 0), toColor(gradient->view().gradientA()[0])));
    EXPECT_TRUE(near(image.pixelColor(199, 99), toColor(gradient->view().gradientA()[1])));

    test.manualScheduler().advance(milliseconds{2000});
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 1.0);
    image = host.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(0, 0), toColor(gradient->view().gradientB()[0])));

    colored = true;
    EXPECT_EQ(host.grab().toImage().pixelColor(100, 50), QColor(Qt::magenta));

    gradient->hide();
    EXPECT_FALSE(gradient->view().hasTimer());
    gradient->show();
    gradient->show();
    EXPECT_EQ(test.manualScheduler().pendingCount(), 1U);
}

// Counts the paint events each watched widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> widgets) {
        for (QWidget* widget : widgets) {
            widget->installEventFilter(this);
        }
    }
    int paints(const QObject* widget) const { return counts_.value(widget); }
    void reset() { counts_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++counts_[watched];
        }
        return false;
    }

private:
    QHash<const QObject*, int> counts_;
};

class GradientFadeTest : public ::testing::Test {
protected:
    using Colors = std::vector<AnimatableGradientView::Color>;
    TestAppContext test;
    bool colored = false;
    QWidget window;
    AnimatableGradientViewWidget* gradient =
        new AnimatableGradientViewWidget(test.context(), Binding<bool>::to(colored), &window);
    QWidget* elsewhere = solidWidget(Qt::blue);

    void SetUp() override {
        test.context().animations().setEnabled(true);
        window.resize(300, 100);
        gradient->setGeometry(0, 0, 100, 100);
        elsewhere->setParent(&window);
        elsewhere->setGeometry(200, 0, 100, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Shows `lower` under `upper` at once, then fades the upper plane out over them.
    void fadeBetween(const Colors& upper, const Colors& lower) {
        gradient->view().swapGradient(upper);
        gradient->view().swapGradient(lower, AnimatableGradientView::Fade::linear);
    }
    static Colors plain(double level) { return {{level, level, level, 1.0}, {level, level, level, 1.0}}; }
};

TEST_F(GradientFadeTest, FadesInAsManyFramesAsItsColoursHaveVisibleSteps) {
    gradient->view().stopTimer(); // only the fades asked for here
    // Black to white: more steps than frames can show, so one frame every 40 ms.
    fadeBetween(plain(0.0), plain(1.0));
    EXPECT_EQ(gradient->frameInterval(), milliseconds{40});
    // Frames fall on the frame clock's beats: the first one at or past the middle shows it.
    test.manualScheduler().advance(milliseconds{1000} + FrameClock::interval);
    EXPECT_NEAR(gradient->shownUpperOpacity(), 0.5, 0.001);
    test.manualScheduler().advance(milliseconds{1000});
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 0.0);
    EXPECT_FALSE(gradient->isFading());

    // Half as many steps show through a gradient drawn at half opacity.
    gradient->setOpacity(0.5);
    fadeBetween(plain(0.0), plain(1.0));
    EXPECT_EQ(gradient->frameInterval(), milliseconds{2000 / 32});
    // Colours two steps apart change once, at the end.
    fadeBetween(plain(0.5), plain(0.5 + 2.0 / 255.0));
    EXPECT_EQ(gradient->frameInterval(), milliseconds{2000});

    // Nor has a gradient out of sight, nor a transparent one.
    gradient->move(0, 100);
    fadeBetween(plain(0.0), plain(1.0));
    EXPECT_FALSE(gradient->isFading());
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 0.0);
    gradient->move(0, 0);
    colored = true;
    fadeBetween(plain(0.0), plain(1.0));
    EXPECT_FALSE(gradient->isFading());
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 0.0);
}

TEST_F(GradientFadeTest, RunsNoFramesWhollyUnderAPanel) {
    gradient->view().stopTimer();
    auto* shadow = new PanelShadow(Qt::black, 10, &window);
    shadow->show();
    const struct {
        QRectF panel;
        bool fades;
    } cases[] = {
        {QRectF(-20, -20, 200, 200), false},
        // Its rounded corner leaves the gradient's corner in sight.
        {QRectF(0, 0, 200, 200), true},
        {QRectF(50, 0, 200, 200), true},
    };
    for (const auto& c : cases) {
        QPainterPath outline;
        outline.addRoundedRect(c.panel, 20, 20);
        shadow->setShape(outline);
        fadeBetween(plain(0.0), plain(1.0));
        EXPECT_EQ(gradient->isFading(), c.fades) << c.panel.x();
    }
}

TEST_F(GradientFadeTest, AFrameRepaintsTheGradientAloneAndATransparentOneNothing) {
    PaintCounter counter{gradient, elsewhere};
    QApplication::processEvents();
    counter.reset();
    fadeBetween(plain(0.0), plain(1.0));
    QApplication::processEvents();
    counter.reset();
    test.manualScheduler().advance(gradient->frameInterval() + FrameClock::interval);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints(gradient), 1);
    EXPECT_EQ(counter.paints(elsewhere), 0);

    colored = true;
    fadeBetween(plain(0.0), plain(1.0));
    QApplication::processEvents();
    counter.reset();
    test.manualScheduler().advance(milliseconds{2000});
    QApplication::processEvents();
    EXPECT_EQ(counter.paints(gradient), 0);
}

TEST_F(GradientFadeTest, AFadeAndAShimmerBesideItTakeTheirFramesFromOneBeat) {
    gradient->view().stopTimer(); // only the fade asked for here
    fadeBetween(plain(0.0), plain(1.0));
    ShimmerEffect* shimmer = ShimmerEffect::apply(elsewhere, true, test.context());
    EXPECT_EQ(test.manualScheduler().pendingCount(), 1U);
    test.manualScheduler().advance(gradient->frameInterval() + FrameClock::interval);
    EXPECT_LT(gradient->shownUpperOpacity(), 1.0);
    EXPECT_GT(shimmer->progress(), 0.0);
}

TEST_F(GradientFadeTest, HoldsBeatAndFadeWhileTheApplicationIsInactiveOrTheWindowMinimised) {
    fadeBetween(plain(0.0), plain(1.0));
    test.manualScheduler().advance(milliseconds{1000});
    const double held = gradient->shownUpperOpacity();
    const AnimatableGradientView::Color beforeBeat = gradient->view().gradientA().front();

    test.context().activity().notify(false);
    EXPECT_FALSE(gradient->isRunning());
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0U);
    test.manualScheduler().advance(milliseconds{10000});
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), held);
    EXPECT_EQ(gradient->view().gradientA().front(), beforeBeat);

    // Back: the fade goes on from where it stood, and the beat comes two seconds on.
    test.context().activity().notify(true);
    test.manualScheduler().advance(milliseconds{1000} + FrameClock::interval);
    EXPECT_DOUBLE_EQ(gradient->shownUpperOpacity(), 0.0);
    EXPECT_EQ(gradient->view().gradientA().front(), beforeBeat);
    test.manualScheduler().advance(milliseconds{1000} - FrameClock::interval);
    EXPECT_TRUE(gradient->isFading());

    window.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(gradient->isRunning());
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0U);
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(gradient->isRunning());

    // Made while the application is inactive, it waits for it.
    test.context().activity().notify(false);
    auto* later = new AnimatableGradientViewWidget(test.context(), Binding<bool>::constant(false), &window);
    later->show();
    EXPECT_FALSE(later->isRunning());
    EXPECT_FALSE(later->view().hasTimer());
}

TEST(AnimatableGradientViewWidget, ARoundedOneIsThePlainGradientSeenThroughAnAntialiasedOutline) {
    TestAppContext test;
    QWidget host;
    auto* plain = new AnimatableGradientViewWidget(test.context(), Binding<bool>::constant(false), &host);
    auto* rounded = new AnimatableGradientViewWidget(test.context(), Binding<bool>::constant(false), &host);
    const std::vector<AnimatableGradientView::Color> colours{{0.9, 0.2, 0.1, 1.0}, {0.1, 0.3, 0.95, 0.8}};
    for (AnimatableGradientViewWidget* view : {plain, rounded}) {
        view->resize(200, 60);
        view->setOpacity(0.7);
        view->view().swapGradient(colours);
        view->view().swapGradient(colours);
    }
    host.show();
    for (const qreal radius : {20.0, AnimatableGradientViewWidget::capsule}) {
        rounded->setCornerRadius(radius);
        const auto drawn = [](QWidget* view) {
            QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            view->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            return image;
        };
        QImage expected = drawn(plain);
        {
            QImage outline(expected.size(), QImage::Format_ARGB32_Premultiplied);
            outline.fill(Qt::transparent);
            QPainter shape(&outline);
            shape.setRenderHint(QPainter::Antialiasing);
            shape.setPen(Qt::NoPen);
            shape.setBrush(Qt::white);
            const qreal r = radius < 0 ? 30.0 : radius;
            shape.drawRoundedRect(QRectF(0, 0, 200, 60), r, r);
            QPainter masking(&expected);
            masking.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            masking.drawImage(0, 0, outline);
        }
        const QImage actual = drawn(rounded);
        // Premultiplied, as drawn: where the outline is faint, colours unpremultiplied would
        // magnify the rounding of a few levels.
        int differing = 0;
        for (int y = 0; y < 60; ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
            const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
            for (int x = 0; x < 200; ++x) {
                const bool same =
                    std::abs(qRed(a[x]) - qRed(e[x])) <= 2 && std::abs(qGreen(a[x]) - qGreen(e[x])) <= 2 &&
                    std::abs(qBlue(a[x]) - qBlue(e[x])) <= 2 && std::abs(qAlpha(a[x]) - qAlpha(e[x])) <= 2;
                differing += same ? 0 : 1;
            }
        }
        EXPECT_EQ(differing, 0) << radius;
    }
}

TEST(ShimmerEffect, MasksTheWidgetAndComesOffWhenInactive) {
    TestAppContext test;
    QWidget host;
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::black);
    host.setPalette(palette);
    host.resize(100, 100);
    QWidget* row = solidWidget(Qt::white);
    row->setParent(&host);
    row->setGeometry(0, 0, 100, 100);

    ShimmerEffect::apply(row, true, test.context());
    ShimmerEffect* effect = ShimmerEffect::of(row);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->shimmer().isInitialState()); // not on screen yet
    host.show();
    EXPECT_FALSE(effect->shimmer().isInitialState());
    // Animation is off: the band stands past the bottom-right corner, the row shows faintly.
    EXPECT_DOUBLE_EQ(effect->progress(), 1.0);
    const QColor faint = host.grab().toImage().pixelColor(50, 50);
    EXPECT_NEAR(faint.red(), 77, 3);

    ShimmerEffect::apply(row, true, test.context());
    EXPECT_EQ(ShimmerEffect::of(row), effect);

    ShimmerEffect::apply(row, false, test.context());
    EXPECT_EQ(ShimmerEffect::of(row), nullptr);
    EXPECT_EQ(host.grab().toImage().pixelColor(50, 50), QColor(Qt::white));
}

TEST(ShimmerEffect, HoldsItsSweepWhileNobodyCanSeeIt) {
    TestAppContext test;
    test.context().animations().setEnabled(true);
    QWidget host;
    host.resize(100, 100);
    QWidget* row = solidWidget(Qt::white);
    row->setParent(&host);
    host.show();
    ShimmerEffect::apply(row, true, test.context());
    ShimmerEffect* effect = ShimmerEffect::of(row);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->isSweeping());

    test.context().activity().notify(false);
    EXPECT_FALSE(effect->isSweeping());
    test.context().activity().notify(true);
    EXPECT_TRUE(effect->isSweeping());
    row->hide();
    EXPECT_FALSE(effect->isSweeping());
    row->show();
    EXPECT_TRUE(effect->isSweeping());
}

// A row of colours and text that paints itself, as a verse row does.
class PaintedRow : public QWidget {
public:
    static void paint(QPainter& painter, const QRect& area, const QColor& left) {
        QLinearGradient colours(area.topLeft(), area.topRight());
        colours.setColorAt(0, left);
        colours.setColorAt(1, Qt::blue);
        painter.fillRect(area, colours);
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("In the beginning"));
    }
    QColor left = Qt::red;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        paint(painter, rect(), left);
    }
};

TEST(ShimmerEffect, MasksARowsOwnPaintingAsThePlatformsPictureOfIt) {
    TestAppContext test;
    test.context().animations().setEnabled(true);
    QWidget host;
    host.resize(400, 40);
    auto* rendered = new PaintedRow;
    auto* painted = new PaintedRow;
    for (PaintedRow* row : {rendered, painted}) {
        row->setParent(&host);
    }
    rendered->setGeometry(0, 0, 200, 40);
    painted->setGeometry(200, 0, 200, 40);
    host.show();
    ShimmerEffect::apply(rendered, true, test.context());
    ShimmerEffect::apply(painted, true, test.context())->setSourcePainter([painted](QPainter& painter) {
        PaintedRow::paint(painter, painted->rect(), painted->left);
    });
    // The two sweeps run in step: each frame, and the picture kept between them, must match.
    const auto expectSame = [&host] {
        const QImage picture = host.grab().toImage();
        int differing = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 200; ++x) {
                differing += near(picture.pixelColor(x, y), picture.pixelColor(200 + x, y), 2) ? 0 : 1;
            }
        }
        EXPECT_EQ(differing, 0);
    };
    for (int frame = 0; frame < 6; ++frame) {
        test.manualScheduler().advance(milliseconds{97});
        expectSame();
        if (frame == 3) {
            for (PaintedRow* row : {rendered, painted}) {
                row->left = Qt::green;
                row->update();
            }
            ShimmerEffect::of(painted)->targetLookChanged();
        }
    }
}

// Widgets that keep their drawing in a picture, side by side with ones drawn afresh: after each
// change the two halves of the host must match.
void expectSameHalves(QWidget& host) {
    const QImage picture = host.grab().toImage();
    const int half = host.width() / 2;
    int differing = 0;
    for (int y = 0; y < host.height(); ++y) {
        for (int x = 0; x < half; ++x) {
            differing += near(picture.pixelColor(x, y), picture.pixelColor(half + x, y), 2) ? 0 : 1;
        }
    }
    EXPECT_EQ(differing, 0);
}

// A label drawn by the platform on the left of the host's top row, a kept one on the right.
std::pair<QLabel*, KeptLabel*> labelsSideBySide(QWidget& host, const QString& text) {
    auto* label = new QLabel(text, &host);
    auto* kept = new KeptLabel(text, &host);
    label->setGeometry(0, 0, 200, 40);
    kept->setGeometry(200, 0, 200, 40);
    return {label, kept};
}

TEST(KeptPicture, AKeptLabelAndSymbolButtonDrawWhatTheyShowNowAfterAChange) {
    TestAppContext test;
    QWidget host;
    host.resize(400, 80);
    auto [label, kept] = labelsSideBySide(host, QStringLiteral("Bible"));
    SymbolButton::Style style;
    style.caption = QStringLiteral("북마크");
    style.orientation = Qt::Horizontal;
    auto* button = new SymbolButton(test.context().resources(), style, &host);
    button->setGeometry(200, 40, 200, 40);
    auto* shown = new SymbolButton(test.context().resources(), style, &host);
    shown->setGeometry(0, 40, 200, 40);
    host.show();
    expectSameHalves(host);

    label->setText(QStringLiteral("창세기 1장"));
    kept->setText(QStringLiteral("창세기 1장"));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    kept->setPalette(palette);
    button->setLook(0.3, 1.0);
    delete shown;
    auto* fresh = new SymbolButton(test.context().resources(), style, &host);
    fresh->setLook(0.3, 1.0);
    fresh->setGeometry(0, 40, 200, 40);
    fresh->show();
    expectSameHalves(host);
}

TEST(DropShadowEffect, DrawsThePlatformsShadowAndBlursItOnlyWhenTheOutlineChanges) {
    struct Case {
        qreal radius;
        QPointF offset;
        DropShadowEffect::Outline outline = DropShadowEffect::Outline::anyRepaint;
    };
    // Below and above the radius from which the blur runs at half size.
    for (const Case& shadow : {Case{3, QPointF(2, 2)}, Case{10, QPointF(0, 0)}, Case{30, QPointF(0, 4)},
                               Case{10, QPointF(0, 0), DropShadowEffect::Outline::layout}}) {
        SCOPED_TRACE(shadow.radius);
        const auto castOn = [](QWidget& host, QGraphicsEffect* effect) {
            host.resize(160, 120);
            host.setAutoFillBackground(true);
            QWidget* caster = solidWidget(Qt::red);
            caster->setParent(&host);
            caster->setGeometry(50, 40, 60, 40);
            caster->setGraphicsEffect(effect);
            return caster;
        };
        QWidget platformHost;
        auto* platform = new QGraphicsDropShadowEffect;
        platform->setColor(QColor(0, 0, 0, 200));
        platform->setBlurRadius(shadow.radius);
        platform->setOffset(shadow.offset);
        castOn(platformHost, platform);
        QWidget ownHost;
        QWidget* caster = castOn(ownHost, nullptr);
        auto* own =
            new DropShadowEffect(QColor(0, 0, 0, 200), shadow.radius, shadow.offset, caster, shadow.outline);
        caster->setGraphicsEffect(own);

        const QImage expected = platformHost.grab().toImage();
        const QImage drawn = ownHost.grab().toImage();
        int largest = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y);
                const QColor b = expected.pixelColor(x, y);
                largest = std::max({largest, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
            }
        }
        EXPECT_LE(largest, 4);
        EXPECT_EQ(own->blurCount(), 1);

        QPalette palette = caster->palette();
        palette.setColor(QPalette::Window, Qt::green);
        caster->setPalette(palette);
        EXPECT_EQ(ownHost.grab().toImage().pixelColor(80, 60), QColor(Qt::green));
        EXPECT_EQ(own->blurCount(), 1);

        caster->resize(70, 40);
        ownHost.grab();
        EXPECT_EQ(own->blurCount(), 2);
    }
}

// Paints itself in one colour, changed without any event but the repaint.
class Swatch : public QWidget {
public:
    using QWidget::QWidget;
    void paint(const QColor& color) {
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), color_); }

private:
    QColor color_ = Qt::red;
};

// A window with a widget in it that holds a swatch, to cast a shadow.
struct CasterWindow {
    CasterWindow() {
        window.resize(200, 150);
        window.setAutoFillBackground(true);
        caster->setGeometry(50, 40, 80, 50);
        swatch->setGeometry(10, 10, 40, 20);
    }
    QWidget window;
    QWidget* caster = new QWidget(&window);
    Swatch* swatch = new Swatch(caster);
};

TEST(DropShadowEffect, AWidgetWhoseOutlineFollowsItsLayoutRepaintsColoursWithoutBeingRenderedApart) {
    CasterWindow scene;
    QWidget& window = scene.window;
    QWidget* caster = scene.caster;
    Swatch* swatch = scene.swatch;
    auto* shadow =
        new DropShadowEffect(Qt::black, 10, QPointF(0, 0), caster, DropShadowEffect::Outline::layout);
    caster->setGraphicsEffect(shadow);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grab();
    const int rendered = shadow->renderCount();

    swatch->paint(Qt::green);
    const QImage repainted = window.grab().toImage();
    EXPECT_EQ(repainted.pixelColor(70, 55), QColor(Qt::green));
    EXPECT_LT(repainted.pixelColor(55, 45).lightness(), 255); // the shadow still falls
    EXPECT_EQ(shadow->renderCount(), rendered);

    const int blurred = shadow->blurCount();
    swatch->resize(60, 20);
    window.grab();
    EXPECT_EQ(shadow->renderCount(), rendered + 1);
    EXPECT_EQ(shadow->blurCount(), blurred + 1);
    shadow->outlineChanged();
    window.grab();
    EXPECT_EQ(shadow->renderCount(), rendered + 2);
    EXPECT_EQ(shadow->blurCount(), blurred + 1);

    // Inside another effect's picture it is rendered apart each time, where it stands.
    auto* framed = new QWidget(&window);
    framed->setGeometry(20, 20, 180, 130);
    framed->setGraphicsEffect(new RoundedClipEffect(8, framed));
    caster->setParent(framed);
    caster->move(30, 20);
    framed->show();
    caster->show();
    const QImage once = window.grab().toImage();
    const int renders = shadow->renderCount();
    EXPECT_EQ(window.grab().toImage(), once);
    EXPECT_EQ(shadow->renderCount(), renders + 1);
    EXPECT_EQ(once.pixelColor(70, 55), QColor(Qt::green));
}

TEST(DropShadowEffect, AWidgetWhoseOutlineFollowsItsLayoutStillDrawsAWidgetItHoldsWithAnEffectOfItsOwn) {
    CasterWindow scene;
    QWidget& window = scene.window;
    QWidget* caster = scene.caster;
    Swatch* swatch = scene.swatch;
    swatch->setGraphicsEffect(new DropShadowEffect(Qt::black, 4, QPointF(0, 0), swatch));
    caster->setGraphicsEffect(
        new DropShadowEffect(Qt::black, 10, QPointF(0, 0), caster, DropShadowEffect::Outline::layout));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.grab();

    // Drawn straight through, the platform would leave the swatch out.
    swatch->paint(Qt::green);
    EXPECT_EQ(window.grab().toImage().pixelColor(70, 55), QColor(Qt::green));
}

TEST(ShimmerEffect, MasksAKeptLabelsOwnTextAsThePlatformsPictureOfIt) {
    TestAppContext test;
    QWidget host;
    host.resize(400, 40);
    auto [label, kept] = labelsSideBySide(host, QStringLiteral("후원 계좌 보기"));
    host.show();
    ShimmerEffect::apply(label, true, test.context());
    ShimmerEffect::apply(kept, true, test.context())->setSourcePainter([kept](QPainter& painter) {
        kept->paintPlainText(painter);
    });
    expectSameHalves(host);

    // The shimmer keeps its picture until it is told the text changed.
    label->setText(QStringLiteral("👉 토스 후원 계좌 보기 👈"));
    kept->setText(label->text());
    ShimmerEffect::of(kept)->targetLookChanged();
    expectSameHalves(host);
}

// A white label on a colour that changes without telling anyone, as on a moving gradient.
struct HaloScene {
    explicit HaloScene(QWidget* parent)
        : backdrop(new Swatch(parent))
        , label(new QLabel(QStringLiteral("개역한글"), parent)) {
        backdrop->setGeometry(parent->rect());
        backdrop->paint(QColor(230, 210, 250));
        label->setStyleSheet(QStringLiteral("color: white;"));
        label->move(40, 12);
        label->adjustSize();
    }
    Swatch* backdrop;
    QLabel* label;
};

TEST(TextHalo, CastsTheHaloOfAShadowOnEachLabelAndBlursItOnceForEachLookOfThem) {
    QWidget host;
    host.resize(400, 44);
    auto* left = new QWidget(&host);
    auto* right = new QWidget(&host);
    left->setGeometry(0, 0, 200, 44);
    right->setGeometry(200, 0, 200, 44);
    HaloScene effect(left);
    effect.label->setGraphicsEffect(
        new DropShadowEffect(QColor(0, 0, 0, 160), 6, QPointF(0, 0), effect.label));
    HaloScene drawn(right);
    auto* halo = new TextHalo(QColor(0, 0, 0, 160), 6, right);
    drawn.label->raise();
    halo->setLabels({drawn.label});
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    expectSameHalves(host);
    const QImage haloed = host.grab().toImage();
    halo->hide();
    EXPECT_NE(host.grab().toImage(), haloed);
    halo->show();

    for (const QColor& colour : {QColor(Qt::yellow), QColor(90, 60, 160)}) {
        effect.backdrop->paint(colour);
        drawn.backdrop->paint(colour);
        expectSameHalves(host);
    }
    EXPECT_EQ(halo->blurCount(), 1);

    effect.label->setText(QStringLiteral("KJV"));
    drawn.label->setText(QStringLiteral("KJV"));
    expectSameHalves(host);
    EXPECT_EQ(halo->blurCount(), 2);
}

TEST(SymbolButton, KeepsTheShadowItsOwnerGivesItUntilItsSymbolChanges) {
    TestAppContext test(LUMENSCROLL_RESOURCE_DIR);
    CasterWindow scene;
    SymbolButton* button = SheetLook::closeButton(test.context().resources(), Qt::white, &scene.window);
    button->move(120, 60);
    auto* shadow = qobject_cast<DropShadowEffect*>(button->graphicsEffect());
    ASSERT_NE(shadow, nullptr);
    scene.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scene.window));
    QCoreApplication::processEvents();
    scene.window.grab();
    const int renders = shadow->renderCount();
    const int blurs = shadow->blurCount();

    scene.window.update();
    scene.window.grab();
    EXPECT_EQ(shadow->renderCount(), renders);

    button->setSymbol(QStringLiteral("xmark.circle"));
    scene.window.grab();
    EXPECT_EQ(shadow->renderCount(), renders + 1);
    EXPECT_EQ(shadow->blurCount(), blurs + 1);
}

} // namespace
} // namespace lumenscroll
