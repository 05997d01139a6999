#include "app/reading/QTViewForAPraiseWidget.h"

#include "app/platform/Look.h"
#include "app/reading/ReadingFontFace.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumenscroll {

namespace {

// Every text editor of the program is transparent: what a layer shows behind its text is its own
// background colour, here the note's faint orange (orange at 0.25) and nothing for the prompt.
QTextEdit* makeLayer(const QString& name, const QFont& font, const QString& look, QWidget* parent) {
    auto* editor = new QTextEdit(parent);
    editor->setObjectName(name);
    editor->setAcceptRichText(false);
    editor->setFont(font);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->viewport()->setAutoFillBackground(false);
    editor->setStyleSheet(QStringLiteral("QTextEdit { %1 border: 1px solid #C7C7CC; border-radius: 6px; }").arg(look));
    // Wrapped at the layer's own width from the start, so that its height can be known before it
    // is ever shown.
    editor->ensurePolished();
    editor->setLineWrapMode(QTextEdit::FixedPixelWidth);
    editor->setLineWrapColumnOrWidth(QTViewForAPraiseWidget::editorWidth - 2 * editor->frameWidth());
    return editor;
}

int contentHeight(const QTextEdit* editor) {
    const qreal text = editor->document()->documentLayout()->documentSize().height();
    return static_cast<int>(std::ceil(text)) + 2 * editor->frameWidth();
}

} // namespace

QTViewForAPraiseWidget::QTViewForAPraiseWidget(QTViewForAPraise view, QWidget* parent)
    : QWidget(parent)
    , view_(std::move(view)) {
    setObjectName(QStringLiteral("qtViewForAPraise"));
    const QFont font = readingFontFace(view_.noteFont(), QTViewForAPraise::noteFontSize);

    layers_ = new QWidget(this);
    layers_->setFixedWidth(editorWidth);
    placeholder_ = makeLayer(QStringLiteral("notePlaceholder"), font,
                             QStringLiteral("background: transparent; color: rgba(0, 0, 0, 128);"), layers_);
    placeholder_->setReadOnly(true);
    placeholder_->setFocusPolicy(Qt::NoFocus);
    placeholder_->setAttribute(Qt::WA_TransparentForMouseEvents);
    note_ = makeLayer(QStringLiteral("noteEditor"), font,
                      QStringLiteral("background: rgba(255, 149, 0, 64); color: black;"), layers_);
    note_->setPlainText(QString::fromStdString(view_.qtContent.get()));
    note_->installEventFilter(this);
    connect(note_, &QTextEdit::textChanged, this, [this] { noteEdited(); });

    auto* save = new QPushButton(QStringLiteral("저장"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setFont(Look::font(TextStyle::headline));
    save->setFlat(true);
    save->setCursor(Qt::PointingHandCursor);
    save->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; color: black; }"));
    connect(save, &QAbstractButton::clicked, this, [this] { view_.saveNote(); });
    save_ = save;

    auto* row = new QHBoxLayout();
    row->addWidget(layers_, 0, Qt::AlignVCenter);
    row->addWidget(save_, 0, Qt::AlignVCenter);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    // Growing with the note wherever it stands, in a layout or placed by hand.
    column->setSizeConstraint(QLayout::SetMinimumSize);
    column->addLayout(row);
    column->setAlignment(row, Qt::AlignCenter);
    refresh();
}

QTViewForAPraiseWidget::~QTViewForAPraiseWidget() = default;

void QTViewForAPraiseWidget::noteEdited() {
    view_.qtContent.set(note_->toPlainText().toStdString());
    view_.noteChanged();
    refresh();
}

void QTViewForAPraiseWidget::refresh() {
    const QString prompt = QString::fromStdString(view_.qtPlaceHolder);
    if (placeholder_->toPlainText() != prompt) {
        placeholder_->setPlainText(prompt);
    }
    const bool promptShown = view_.isPlaceholderShown();
    placeholder_->setVisible(promptShown);

    int height = std::max(editorMinimumHeight, contentHeight(note_));
    if (promptShown) {
        height = std::max(height, contentHeight(placeholder_));
    }
    layers_->setFixedHeight(height);
    for (QTextEdit* layer : {placeholder_, note_}) {
        layer->setGeometry(0, 0, editorWidth, height);
    }
}

bool QTViewForAPraiseWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == note_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Not the editor's: it goes on to the page, where it closes what stands in front.
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumenscroll
