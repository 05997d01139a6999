#include "app/shell/AboutViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/ReadingFont.h"
#include "app/reading/ShimmerEffect.h"
#include "app/reading/TopAreaPanelProvider.h"
#include "app/shell/AboutView.h"
#include "app/shell/MoviePlayerWidget.h"
#include "app/shell/PanelCloseButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace lumenscroll {

namespace {

constexpr qreal dimmingOpacity = 0.3;
// The platform's spacing between a stack's items and its default padding.
constexpr int spacing = 8;
constexpr int defaultPadding = 16;
// Nothing is drawn closer to the panel's edges than this.
constexpr int edgeMargin = 20;
constexpr int titleSize = 27;
constexpr int textSize = 14;
constexpr int lineSize = 12;
constexpr int linePadding = 5;
constexpr qreal titleShadowRadius = 30;
constexpr int closeOffset = 110;
constexpr QSize explanationFrame(400, 120);
constexpr QSize supportExplanationFrame(250, 50);
constexpr int supportRowOffset = -130;
constexpr int paymentLinesOffset = -30;
constexpr QSize explanation2Frame(400, 60);
constexpr int closingRowOffset = -120;
constexpr int iconSide = 100;

QFont titleFont(int points) {
    const std::optional<ReadingFont> font = readingFontForFileName("BMDoHyeon");
    return Look::font(font ? QString::fromUtf8(font->family.data(), static_cast<qsizetype>(font->family.size()))
                           : QString(),
                      points);
}

// Kept: every frame of the movie repaints the texts over it.
KeptLabel* textLabel(const QString& text, int points, const QColor& color, QWidget* parent) {
    auto* label = new KeptLabel(text, parent);
    label->setFont(titleFont(points));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// A label wrapped to `frame`'s width, at least `frame`'s height, taller when its text needs it.
void fitText(QLabel* label, QSize frame) {
    label->setWordWrap(true);
    label->setFixedSize(frame.width(), std::max(frame.height(), label->heightForWidth(frame.width())));
}

// A shimmer of white, brighter in the band, masking the label's kept text.
void shimmer(KeptLabel* target, AppContext& context) {
    const std::vector<Shimmer::Color> gradient{Shimmer::Color::named(NamedColor::white, 0.8),
                                               Shimmer::Color::named(NamedColor::white),
                                               Shimmer::Color::named(NamedColor::white, 0.8)};
    ShimmerEffect* effect = ShimmerEffect::apply(target, true, context, Shimmer::defaultAnimation(), gradient,
                                                 Shimmer::defaultBandSize);
    if (effect != nullptr) {
        effect->setSourcePainter([target](QPainter& painter) { target->paintPlainText(painter); });
    }
}

// `x` moved as little as needed for `width` to stand inside the panel's margins.
int insidePanel(int x, int width) {
    return std::clamp(x, edgeMargin, std::max(edgeMargin, AboutViewWidget::width - edgeMargin - width));
}

} // namespace

AboutViewWidget::AboutViewWidget(AboutView& view, MoviePlayer& movie, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , movie_(new MoviePlayerWidget(movie, this))
    , title_(textLabel(AboutView::title, titleSize, Qt::white, this))
    , closeButton_(new PanelCloseButton(view.context().resources(), this))
    , explanation_(textLabel(QString::fromStdString(view.explanation), textSize, Qt::white, this))
    , supportRow_(new QWidget(this))
    , supportExplanation_(textLabel(QString::fromStdString(view.supportExplanation), textSize, Qt::white, supportRow_))
    , bankAccountInfo_(textLabel(QString::fromStdString(view.bankAccountInfo), lineSize, Qt::white, supportRow_))
    , paymentLine_(textLabel(QString(), lineSize, Qt::white, supportRow_))
    , explanation2_(textLabel(QString::fromStdString(view.explanation2).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                              textSize, Qt::white, this))
    , contact_(textLabel(AboutView::contactLine, lineSize, Look::color(NamedColor::mint), this))
    , icon_(new QLabel(this))
    , watchers_(view.context().scheduler()) {
    setObjectName(QStringLiteral("aboutView"));
    setFixedSize(width, height);
    movie_->setObjectName(QStringLiteral("movie"));
    movie_->setGeometry(rect());
    // A movie of other proportions than the panel fills it rather than leaving dark bars. It
    // is the panel's background: its corners are the panel's, and it lies dimmed under the text.
    movie_->setFillsFrame(true);
    movie_->setCornerRadius(TopAreaPanelProvider::panelCornerRadius);
    movie_->setVeil(QColor::fromRgbF(0, 0, 0, static_cast<float>(dimmingOpacity)));

    title_->setObjectName(QStringLiteral("title"));
    title_->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    // Its outline changes only with its layout: the movie's frames draw it straight through.
    title_->setGraphicsEffect(new DropShadowEffect(Qt::black, titleShadowRadius, QPointF(0, 0), title_,
                                                   DropShadowEffect::Outline::layout));
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { view_.close(); });

    explanation_->setObjectName(QStringLiteral("explanation"));
    supportRow_->setObjectName(QStringLiteral("supportRow"));
    // The hand over the row only: it goes with the row, whatever happens to the panel.
    supportRow_->setCursor(Qt::PointingHandCursor);
    supportRow_->installEventFilter(this);
    paymentLine_->setObjectName(QStringLiteral("paymentLine"));
    paymentLine_->installEventFilter(this);
    for (QLabel* line : {bankAccountInfo_, paymentLine_}) {
        line->setContentsMargins(linePadding, linePadding, linePadding, linePadding);
    }
    explanation2_->setObjectName(QStringLiteral("explanation2"));
    contact_->setObjectName(QStringLiteral("contact"));

    icon_->setObjectName(QStringLiteral("icon"));
    icon_->setAlignment(Qt::AlignCenter);
    if (const std::optional<QString> path = view_.context().resources().path(AboutView::iconName, QStringLiteral("png"))) {
        const QPixmap image(*path);
        if (!image.isNull()) {
            icon_->setPixmap(image.scaled(iconSide, iconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }

    for (KeptLabel* text : {supportExplanation_, bankAccountInfo_, paymentLine_}) {
        shimmer(text, view_.context());
    }

    placeContent();
    watchers_.observe(view_);
    watchers_.watch([this] { return view_.paymentLine(); }, [this](const std::string&) { refresh(); });
    refresh();
    activity_ = view_.context().activity().onChange([this](bool) { followSight(); });
}

AboutViewWidget::~AboutViewWidget() = default;

void AboutViewWidget::placeContent() {
    title_->adjustSize();
    const QSize titleRow(title_->width() + spacing + closeButton_->width(),
                         std::max(title_->height(), closeButton_->height()));
    fitText(explanation_, explanationFrame);

    fitText(supportExplanation_, supportExplanationFrame);
    bankAccountInfo_->adjustSize();
    // As wide as the wider of its two texts, so that revealing the link moves nothing.
    const QFontMetrics lineMetrics(paymentLine_->font());
    const int paymentWidth = std::max(lineMetrics.horizontalAdvance(QString::fromStdString(view_.supportLink)),
                                      lineMetrics.horizontalAdvance(QString::fromStdString(view_.tossLink))) +
                             2 * linePadding;
    paymentLine_->setFixedSize(paymentWidth, lineMetrics.height() + 2 * linePadding);
    const QSize paymentLines(std::max(bankAccountInfo_->width(), paymentWidth),
                             bankAccountInfo_->height() + spacing + paymentLine_->height());
    const QSize supportRow(supportExplanation_->width() + spacing + paymentLines.width(),
                           std::max(supportExplanation_->height(), paymentLines.height()));

    fitText(explanation2_, explanation2Frame);
    contact_->adjustSize();
    const QSize closingText(explanation2Frame.width(), explanation2_->height() + spacing + contact_->height());
    const QSize closingRow(closingText.width() + spacing + iconSide, std::max(closingText.height(), iconSide));

    const int columnWidth =
        std::max({titleRow.width(), explanation_->width(), supportRow.width(), closingRow.width()});
    const int columnHeight =
        titleRow.height() + explanation_->height() + supportRow.height() + closingRow.height() + 3 * spacing;
    const int left = (width - columnWidth) / 2;
    int y = std::max(0, (height - columnHeight) / 2);

    // The title centred with the button beside it, the button then moved to the right.
    const int titleLeft = left + (columnWidth - titleRow.width()) / 2;
    title_->move(titleLeft, y + (titleRow.height() - title_->height()) / 2);
    closeButton_->move(std::min(titleLeft + title_->width() + spacing + closeOffset,
                                width - edgeMargin - closeButton_->width()),
                       y + (titleRow.height() - closeButton_->height()) / 2);
    y += titleRow.height() + spacing;

    explanation_->move(left + (columnWidth - explanation_->width()) / 2, y);
    y += explanation_->height() + spacing;

    // The row's content stands at its trailing end; the row and its payment lines are moved
    // to the left, as far as the panel's margin allows.
    const int supportLeft = insidePanel(left + columnWidth - supportRow.width() + supportRowOffset + paymentLinesOffset,
                                        supportRow.width());
    supportRow_->setGeometry(supportLeft, y, supportRow.width(), supportRow.height());
    supportExplanation_->move(0, (supportRow.height() - supportExplanation_->height()) / 2);
    const int linesLeft = supportExplanation_->width() + spacing;
    const int linesTop = (supportRow.height() - paymentLines.height()) / 2;
    bankAccountInfo_->move(linesLeft + (paymentLines.width() - bankAccountInfo_->width()) / 2, linesTop);
    paymentLine_->move(linesLeft + (paymentLines.width() - paymentLine_->width()) / 2,
                       linesTop + bankAccountInfo_->height() + spacing);
    y += supportRow.height() + spacing;

    const int closingLeft =
        insidePanel(left + (columnWidth - closingRow.width()) / 2 + closingRowOffset, closingRow.width());
    const int textTop = y + (closingRow.height() - closingText.height()) / 2;
    explanation2_->move(closingLeft, textTop);
    contact_->move(closingLeft + (closingText.width() - contact_->width()) / 2,
                   textTop + explanation2_->height() + spacing);
    icon_->setGeometry(closingLeft + closingText.width() + spacing, y + (closingRow.height() - iconSide) / 2, iconSide,
                       iconSide);
}

void AboutViewWidget::refresh() {
    const QString line = QString::fromStdString(view_.paymentLine());
    if (paymentLine_->text() == line) {
        return;
    }
    paymentLine_->setText(line);
    if (ShimmerEffect* effect = ShimmerEffect::of(paymentLine_)) {
        effect->targetLookChanged();
    }
}

void AboutViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shown_ = true;
    followSight();
}

void AboutViewWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    shown_ = false;
    followSight();
}

void AboutViewWidget::followSight() {
    // Out of sight (a page the carousel does not show, a minimised window, another program in
    // front): no frames decoded for nobody.
    if (shown_ && view_.context().activity().isActive()) {
        view_.startMovie();
    } else {
        view_.player.pause();
    }
}

bool AboutViewWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == supportRow_ && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        view_.hoverSupportRow(event->type() == QEvent::Enter);
    } else if (watched == paymentLine_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && paymentLine_->rect().contains(release->position().toPoint())) {
            view_.pressPaymentLine();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumenscroll
