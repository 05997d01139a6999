#include "app/shell/SettingsViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/PanelTopPicture.h"
#include "app/reading/TopAreaPanelProvider.h"
#include "app/shell/PanelCloseButton.h"
#include "app/shell/SettingsPicker.h"
#include "app/shell/SettingsView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumenscroll {

namespace {

constexpr qreal backgroundOpacity = 0.95;
constexpr qreal gradientOpacity = 0.1;
constexpr int headerHeight = 80;
constexpr int titleShadowRadius = 30;
constexpr int closeOffset = 260;
constexpr int pickerSpacing = 5;
constexpr int pickerHeight = 60;
constexpr int noticeTopSpace = 5;
constexpr int noticeWidth = 540;
constexpr int noticeLineSpacing = 5;
constexpr int pictureSide = 200;
constexpr int pictureRadius = 15;
constexpr int pictureSidePadding = 30;
constexpr int pictureTopPadding = 20;
constexpr qreal pictureShadowOpacity = 0.7;
constexpr int pictureShadowRadius = 20;
constexpr int textWidth = 300;
constexpr int explanationHeight = 60;
constexpr int explanation2Height = 80;
constexpr qreal textOpacity = 0.85;
// The panel rounds its corners off itself, its gradient and header picture with it.
constexpr qreal cornerRadius = TopAreaPanelProvider::panelCornerRadius;

QLabel* textLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// A label of `width` at least `height` tall, taller when its text needs it: nothing is cut.
void fitText(QLabel* label, int width, int height) {
    label->setFixedSize(width, std::max(height, label->heightForWidth(width)));
}

QPixmap picture(const ResourceLocator& resources, const QString& name, const QSize& frame, int radius) {
    const std::optional<QString> path = resources.path(name, QStringLiteral("png"));
    const QPixmap image = path ? QPixmap(*path) : QPixmap();
    if (image.isNull()) {
        return {};
    }
    const QPixmap fitted = image.scaled(frame, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (radius <= 0) {
        return fitted;
    }
    QPixmap rounded(fitted.size());
    rounded.fill(Qt::transparent);
    QPainter painter(&rounded);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rounded.rect()), radius, radius);
    painter.setClipPath(shape);
    painter.drawPixmap(0, 0, fitted);
    return rounded;
}

} // namespace

SettingsViewWidget::SettingsViewWidget(SettingsView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , watchers_(view.context().scheduler()) {
    setObjectName(QStringLiteral("settingsView"));
    setFixedSize(width, height);

    auto* gradient = new AnimatableGradientViewWidget(view_.context(), Binding<bool>::constant(false), this);
    gradient->setGeometry(rect());
    gradient->setCornerRadius(cornerRadius);
    gradient->setOpacity(gradientOpacity);

    auto* front = new QWidget(this);
    front->setGeometry(rect());
    auto* column = new QVBoxLayout(front);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildHeader(), 0, Qt::AlignHCenter);
    column->addWidget(buildPickers(), 0, Qt::AlignHCenter);
    column->addSpacing(noticeTopSpace);

    notice_ = textLabel(QString(), Look::font(TextStyle::headline), Look::color(NamedColor::red), front);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setTextFormat(Qt::RichText);
    notice_->setText(QStringLiteral("<div style=\"-qt-line-height-type:line-distance; line-height:%1px\">%2</div>")
                         .arg(noticeLineSpacing)
                         .arg(SettingsView::optionKeyNotice.toHtmlEscaped()));
    fitText(notice_, noticeWidth, pickerHeight);
    column->addWidget(notice_, 0, Qt::AlignHCenter);
    column->addWidget(buildPictureRow(), 0, Qt::AlignHCenter);
    column->addStretch(1);

    watchers_.observe(view_);
    watchers_.watch([this] { return std::array{view_.pickerIndex(), view_.pickerIndex2(), view_.pickerIndex3()}; },
                    [this](const std::array<std::int64_t, 3>&) { refresh(); });
    refresh();
}

SettingsViewWidget::~SettingsViewWidget() = default;

QWidget* SettingsViewWidget::buildHeader() {
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("header"));
    header->setFixedSize(width, headerHeight);
    const ResourceLocator& resources = view_.context().resources();

    auto* image = new QLabel(header);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(panelTopPicture(picture(resources, SettingsView::headerImage, header->size(), 0), header->size(), cornerRadius));
    image->setGeometry(header->rect());

    auto* title = textLabel(SettingsView::title, Look::font(TextStyle::largeTitle), Qt::white, header);
    title->setObjectName(QStringLiteral("title"));
    title->setWordWrap(false);
    // Its outline changes only with its layout; the gradient's frames draw it straight through.
    title->setGraphicsEffect(new DropShadowEffect(Qt::black, titleShadowRadius, QPointF(0, 0), title,
                                                  DropShadowEffect::Outline::layout));
    title->adjustSize();
    title->move((width - title->width()) / 2, (headerHeight - title->height()) / 2);

    closeButton_ = new PanelCloseButton(resources, header);
    closeButton_->move(width / 2 + closeOffset - closeButton_->width() / 2, (headerHeight - closeButton_->height()) / 2);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { view_.close(); });
    return header;
}

QWidget* SettingsViewWidget::buildPickers() {
    std::vector<SettingsPicker::Entry> sizes;
    for (const std::int64_t size : view_.options) {
        sizes.push_back({QString::number(size), Qt::black});
    }
    std::vector<SettingsPicker::Entry> colors;
    for (std::size_t c = 0; c < view_.fontColorArray.size() && c < view_.fontColorNameArray.size(); ++c) {
        colors.push_back({QString::fromStdString(view_.fontColorNameArray[c]), Look::color(view_.fontColorArray[c])});
    }
    std::vector<SettingsPicker::Entry> fonts;
    for (const std::string& name : view_.customFontsNameArray) {
        fonts.push_back({QString::fromStdString(name), Qt::black});
    }

    struct Column {
        const QString& title;
        std::vector<SettingsPicker::Entry> entries;
        int width;
        const char* name;
        Published<std::int64_t>& index;
    };
    const std::array<Column, 3> columns{{
        {SettingsView::sizePickerTitle, std::move(sizes), 160, "sizePicker", view_.pickerIndex},
        {SettingsView::colorPickerTitle, std::move(colors), 200, "colorPicker", view_.pickerIndex2},
        {SettingsView::fontPickerTitle, std::move(fonts), 200, "fontPicker", view_.pickerIndex3},
    }};

    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(pickerSpacing);
    for (std::size_t p = 0; p < columns.size(); ++p) {
        const Column& column = columns[p];
        auto* cell = new QWidget(row);
        cell->setFixedSize(column.width, pickerHeight);
        auto* stack = new QVBoxLayout(cell);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(2);
        auto* title = textLabel(column.title, Look::font(TextStyle::subheadline), Qt::black, cell);
        auto* picker = new SettingsPicker(column.entries, cell);
        picker->setObjectName(QLatin1String(column.name));
        Published<std::int64_t>* index = &column.index;
        connect(picker, &QComboBox::activated, this, [index](int chosen) { index->set(chosen); });
        stack->addStretch(1);
        stack->addWidget(title);
        stack->addWidget(picker);
        stack->addStretch(1);
        layout->addWidget(cell);
        pickers_[p] = picker;
    }
    return row;
}

QWidget* SettingsViewWidget::buildPictureRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* image = new QLabel(row);
    image->setObjectName(QStringLiteral("picture"));
    image->setFixedSize(pictureSide, pictureSide);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(picture(view_.context().resources(), SettingsView::pictureImage, image->size(), pictureRadius));
    image->setGraphicsEffect(new DropShadowEffect(Look::color(NamedColor::mint, pictureShadowOpacity),
                                                  pictureShadowRadius, QPointF(0, 0), image,
                                                  DropShadowEffect::Outline::layout));
    auto* padded = new QWidget(row);
    auto* padding = new QVBoxLayout(padded);
    padding->setContentsMargins(pictureSidePadding, pictureTopPadding, pictureSidePadding, 0);
    padding->addWidget(image);
    layout->addWidget(padded, 0, Qt::AlignVCenter);

    auto* texts = new QWidget(row);
    auto* stack = new QVBoxLayout(texts);
    stack->setContentsMargins(0, 0, 0, 0);
    const QColor textColor = Look::color(NamedColor::black, textOpacity);
    auto* explanation =
        textLabel(QString::fromStdString(view_.explanation), Look::font(TextStyle::headline), textColor, texts);
    explanation->setObjectName(QStringLiteral("explanation"));
    fitText(explanation, textWidth, explanationHeight);
    auto* explanation2 =
        textLabel(QString::fromStdString(view_.explanation2), Look::font(TextStyle::headline), textColor, texts);
    explanation2->setObjectName(QStringLiteral("explanation2"));
    fitText(explanation2, textWidth, explanation2Height);
    stack->addWidget(explanation, 0, Qt::AlignHCenter);
    stack->addWidget(explanation2, 0, Qt::AlignHCenter);
    layout->addWidget(texts, 0, Qt::AlignVCenter);
    return row;
}

void SettingsViewWidget::refresh() {
    pickers_[0]->showIndex(view_.pickerIndex());
    pickers_[1]->showIndex(view_.pickerIndex2());
    pickers_[2]->showIndex(view_.pickerIndex3());
}

void SettingsViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each showing, the panel moved to another page included, the pickers take what is stored:
    // what they show is what the pages draw with. Not for a window coming back from minimised,
    // which shows what it showed.
    if (!event->spontaneous()) {
        view_.appear();
    }
}

void SettingsViewWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(1, 1, 1, static_cast<float>(backgroundOpacity)));
    painter.drawRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
}

} // namespace lumenscroll
