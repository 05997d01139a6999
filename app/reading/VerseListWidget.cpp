#include "app/reading/VerseListWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/FileSystem.h"
#include "app/reading/BibleContentCell.h"
#include "app/reading/BibleContentCellWidget.h"
#include "app/reading/FontColors.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/QTView.h"
#include "app/reading/QTViewForAPraise.h"
#include "app/reading/QTViewForAPraiseWidget.h"
#include "app/reading/QTViewWidget.h"
#include "app/reading/SelectionBarWidget.h"
#include "app/reading/UserSettings.h"

#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QScrollBar>
#include <QTextEdit>

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

// The page's handle on the list: it may outlive the list in the page's state, and then
// scrolls nothing.
class VerseListScrollReader final : public ScrollViewProxy {
public:
    explicit VerseListScrollReader(VerseListWidget* list)
        : list_(list) {}

    void scrollTo(std::int64_t identity, ScrollAnchor anchor, bool animated) override {
        if (list_) {
            list_->scrollToIdentity(identity, anchor, animated);
        }
    }

private:
    QPointer<VerseListWidget> list_;
};

} // namespace

VerseListWidget::VerseListWidget(BibleView page, QWidget* parent)
    : QScrollArea(parent)
    , page_(std::move(page))
    , content_(new QWidget)
    , bar_(nullptr)
    , watchers_(page_.userSettings.context().scheduler()) {
    setObjectName(QStringLiteral("verseList"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    viewport()->setAutoFillBackground(false);
    content_->setObjectName(QStringLiteral("verseListContent"));
    setWidget(content_);

    const BibleView* shown = page_.state().view();
    bar_ = new SelectionBarWidget(page_.userSettings.context(), shown ? shown->bgColorArray : page_.bgColorArray,
                                  content_);
    bar_->hide();
    connect(bar_, &SelectionBarWidget::bookmarkPressed, this, [this] { page_.toggleBookmark(barRow_); });
    connect(bar_, &SelectionBarWidget::highlightPressed, this,
            [this](std::int64_t color) { page_.highlight(barRow_, color); });

    connect(&scrolling_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { verticalScrollBar()->setValue(value.toInt()); });

    watchers_.observe(*page_.userSettings);
    watchers_.watch([this] { return chapterKey(); }, [this](const ChapterKey& key) { chapterChanged(key); });
    watchers_.watch([this] { return selectionLook(); }, [this](const SelectionLook&) { refreshSelection(); });
    watchers_.watch([this] { return noteRows(); }, [this](const std::vector<bool>&) { rebuildVerseNotes(); });

    builtFor_ = chapterKey();
    rebuildRows();
}

VerseListWidget::~VerseListWidget() {
    scrolling_.stop();
    // Before the rows whose reactions they are.
    rowReactions_.reset();
}

std::shared_ptr<ScrollViewProxy> VerseListWidget::scrollReader() {
    return std::make_shared<VerseListScrollReader>(this);
}

BibleContentCellWidget* VerseListWidget::row(int index) const {
    return index >= 0 && index < rowCount() ? rows_[static_cast<std::size_t>(index)] : nullptr;
}

QTViewForAPraiseWidget* VerseListWidget::verseNote(std::int64_t row) const {
    return isIndexOf(row, verseNotes_.size()) ? verseNotes_[at(row)] : nullptr;
}

VerseListWidget::ChapterKey VerseListWidget::chapterKey() const {
    const PageHandle page = page_.state();
    ChapterKey key;
    key.page = page.index();
    const BibleStructure* record = page.record();
    if (!record || !page.view()) {
        // A page that is not open shows no verses.
        key.page = -1;
        return key;
    }
    key.book = record->sectionIndex;
    key.chapter = record->versesIndex;
    key.kind = record->kindOfBible;
    key.verses = record->praises.size();
    if (!record->praises.empty()) {
        key.firstWord = record->praises.front().word;
        key.lastWord = record->praises.back().word;
    }
    return key;
}

VerseListWidget::SelectionLook VerseListWidget::selectionLook() const {
    SelectionLook look;
    const PageHandle page = page_.state();
    const BibleView* view = page.view();
    if (!view) {
        return look;
    }
    look.selected = view->isSelectedArray2;
    // The bar stands under the row tapped last, if anywhere.
    if (page_.isSelectionBarShown(view->lastSelectedIndex)) {
        look.barRow = view->lastSelectedIndex;
    }
    if (const BiblePraise* verse = page.verse(look.barRow)) {
        look.bookmarked = verse->bookmarked;
        look.bgColor = verse->bgColor;
    }
    return look;
}

void VerseListWidget::chapterChanged(const ChapterKey& key) {
    // A page that only moved to another index keeps its rows: they follow its index.
    const bool sameRows = (key.page >= 0) == (builtFor_.page >= 0) && key.verses == builtFor_.verses;
    builtFor_ = key;
    if (!sameRows) {
        rebuildRows();
        return;
    }
    // The same rows with other words (another chapter of the same length): the rows read
    // their verses again.
    for (BibleContentCellWidget* row : rows_) {
        row->refresh();
    }
    scheduleLayout();
}

void VerseListWidget::rebuildRows() {
    rowReactions_.reset();
    for (BibleContentCellWidget* row : rows_) {
        delete row;
    }
    rows_.clear();
    delete std::exchange(chapterNote_, nullptr);
    for (QTViewForAPraiseWidget* note : verseNotes_) {
        delete note;
    }
    verseNotes_.clear();
    barRow_ = -1;
    bar_->hide();

    const PageHandle page = page_.state();
    const BibleView* view = page.view();
    const std::size_t verses = view ? page.verseCount() : 0;
    AppContext& context = page_.userSettings.context();
    rowReactions_ = std::make_unique<ChangeWatchers>(context.scheduler());
    rowReactions_->observe(*page_.userSettings);

    rows_.reserve(verses);
    UserSettings& settings = *page_.userSettings;
    const Binding<std::vector<bool>> selection =
        PageHandle::following(settings, page_.pageIndex, &BibleView::isSelectedArray2);
    const Binding<BibleStructure> record = PageHandle::followingRecord(settings, page_.pageIndex);
    for (std::size_t v = 0; v < verses; ++v) {
        auto cell = std::make_unique<BibleContentCell>(
            page_.pageIndex, record,
            Binding<std::int64_t>::constant(static_cast<std::int64_t>(v)), selection, page_.userSettings,
            fontSizes[defaultFontSizeIndex], NamedColor::black, std::string(), 0, view->customFontsNameForPickerArray,
            view->customFontsFileNameArray, view->bgColorArray, defaultFontColorArray());
        auto* row = new BibleContentCellWidget(std::move(cell), context, content_);
        const auto verse = static_cast<std::int64_t>(v);
        connect(row, &BibleContentCellWidget::tapped, this, [this, verse] { page_.tapVerse(verse); });
        connect(row, &BibleContentCellWidget::lookChanged, this, [this] { scheduleLayout(); });
        rows_.push_back(row);
    }
    // The rows come on screen with the list.
    for (BibleContentCellWidget* row : rows_) {
        row->cell().appear(*rowReactions_);
        row->show();
    }
    if (!rows_.empty()) {
        chapterNote_ = new QTViewWidget(
            QTView(page_.pageIndex, std::string(), std::string(), std::string(QTView::placeholderText),
                   settings, view->customFontsNameForPickerArray, view->customFontsFileNameArray),
            content_);
        chapterNote_->show();
    }
    rebuildVerseNotes();
    refreshSelection();
    layoutNow();
}

std::vector<bool> VerseListWidget::noteRows() const {
    std::vector<bool> shown(page_.state().verseCount());
    for (std::size_t row = 0; row < shown.size(); ++row) {
        shown[row] = page_.isVerseNoteShown(static_cast<std::int64_t>(row));
    }
    return shown;
}

void VerseListWidget::rebuildVerseNotes() {
    const std::vector<bool> shown = noteRows();
    UserSettings& settings = *page_.userSettings;
    verseNotes_.resize(rows_.size(), nullptr);
    for (std::size_t row = 0; row < verseNotes_.size(); ++row) {
        QTViewForAPraiseWidget*& editor = verseNotes_[row];
        const bool wanted = row < shown.size() && shown[row];
        if (!wanted) {
            delete std::exchange(editor, nullptr);
            continue;
        }
        if (editor) {
            continue;
        }
        const auto verse = static_cast<std::int64_t>(row);
        const Binding<std::int64_t> index = page_.pageIndex;
        // The page's note text for this verse, where the page holds one.
        Binding<std::string> text(
            [&settings, index, verse] {
                const BibleView* view = PageHandle(settings, index.get()).view();
                return view && isIndexOf(verse, view->qtContentForThisPage.size())
                           ? view->qtContentForThisPage[at(verse)]
                           : std::string();
            },
            [&settings, index, verse](const std::string& value) {
                PageHandle(settings, index.get()).modifyView([&](BibleView& view) {
                    if (isIndexOf(verse, view.qtContentForThisPage.size())) {
                        view.qtContentForThisPage[at(verse)] = value;
                    }
                });
            });
        const BibleView* view = page_.state().view();
        editor = new QTViewForAPraiseWidget(
            QTViewForAPraise(Binding<std::int64_t>::constant(verse), index, std::string(),
                             std::string(QTViewForAPraise::placeholderText), std::move(text), settings,
                             view ? view->customFontsNameForPickerArray : page_.customFontsNameForPickerArray,
                             view ? view->customFontsFileNameArray : page_.customFontsFileNameArray,
                             FileSystem()),
            content_);
        // The editor grows with its note.
        connect(editor->noteEditor(), &QTextEdit::textChanged, this, [this] { scheduleLayout(); });
        editor->show();
    }
    scheduleLayout();
}

void VerseListWidget::refreshSelection() {
    for (BibleContentCellWidget* row : rows_) {
        row->refreshSelection();
    }
    const SelectionLook look = selectionLook();
    const bool moved = look.barRow != barRow_;
    barRow_ = look.barRow;
    if (barRow_ >= 0) {
        bar_->showMarks(look.bookmarked, look.bgColor);
    }
    if (moved) {
        bar_->setVisible(barRow_ >= 0);
        revealBar_ = barRow_ >= 0;
        scheduleLayout();
    }
}

void VerseListWidget::setButtonRoom(const QMargins& room) {
    if (room == buttonRoom_) {
        return;
    }
    buttonRoom_ = room;
    layoutNow();
}

void VerseListWidget::scheduleLayout() {
    if (layoutPending_) {
        return;
    }
    layoutPending_ = true;
    page_.userSettings.context().scheduler().post(this, [this] {
        if (layoutPending_) {
            layoutNow();
        }
    });
}

void VerseListWidget::layoutNow() {
    layoutPending_ = false;
    // Measuring the rows is the costly part: not before the list has its size, and at the
    // width it has now, which a hidden viewport hears of only when it is shown.
    if (!testAttribute(Qt::WA_Resized)) {
        return;
    }
    const int width = contentsRect().width();
    // The row is as wide as its text, up to the list less the paddings, and clear of the
    // buttons at the sides.
    const int rowLeft = std::max(leadingPadding + rowHorizontalPadding, buttonRoom_.left());
    const int available = width - rowLeft - std::max(rowHorizontalPadding, buttonRoom_.right());
    int y = topPadding;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        BibleContentCellWidget* row = rows_[r];
        const QSize size = row->sizeFor(available);
        row->setGeometry(rowLeft, y, size.width(), size.height());
        y += size.height() + spacing;
        // The row's lower part: the bar when it stands here, then the verse's note editor.
        const int centreLeft = leadingPadding + (width - leadingPadding) / 2;
        if (static_cast<std::int64_t>(r) == barRow_) {
            bar_->setGeometry(centreLeft - SelectionBarWidget::barWidth / 2, y, SelectionBarWidget::barWidth,
                              SelectionBarWidget::barHeight);
            bar_->raise();
            y += SelectionBarWidget::barHeight;
        }
        if (QTViewForAPraiseWidget* note = verseNote(static_cast<std::int64_t>(r))) {
            const QSize size = note->minimumSizeHint().expandedTo(note->sizeHint());
            note->setGeometry(centreLeft - size.width() / 2, y, size.width(), size.height());
            y += size.height();
        }
        y += spacing;
    }
    noteSectionTop_ = -1;
    if (chapterNote_) {
        // The chapter note section: a spacer, then its note line, then the spacer that ends
        // the list.
        noteSectionTop_ = y;
        y += noteSectionSpacer + spacing;
        const int noteHeight = chapterNote_->sizeHint().height();
        chapterNote_->setGeometry(leadingPadding, y, width - leadingPadding, noteHeight);
        y += noteHeight + spacing + std::max(endSpacer, buttonRoom_.bottom());
    }
    content_->resize(width, y);
    if (std::exchange(revealBar_, false)) {
        revealSelectionBar();
    }
}

void VerseListWidget::revealSelectionBar() {
    if (barRow_ < 0 || !bar_->isVisibleTo(this)) {
        return;
    }
    const int visible = viewport()->height() - buttonRoom_.bottom();
    const int top = verticalScrollBar()->value();
    if (bar_->geometry().bottom() < top + visible) {
        return;
    }
    // As far as the bar's bottom needs, but never past the top of the row it belongs to.
    const int rowTop = rows_[static_cast<std::size_t>(barRow_)]->y();
    scrollToPosition(std::min(bar_->geometry().bottom() + 1 - visible, rowTop), true);
}

std::optional<int> VerseListWidget::positionOf(std::int64_t identity) const {
    if (identity == ScrollViewProxy::chapterNoteIdentity) {
        return noteSectionTop_ >= 0 ? std::optional<int>(noteSectionTop_) : std::nullopt;
    }
    const BibleContentCellWidget* target = row(identity >= 0 && identity < rowCount() ? static_cast<int>(identity) : -1);
    return target ? std::optional<int>(target->y()) : std::nullopt;
}

void VerseListWidget::scrollToIdentity(std::int64_t identity, ScrollAnchor anchor, bool animated) {
    if (layoutPending_) {
        layoutNow();
    }
    const std::optional<int> top = positionOf(identity);
    if (!top) {
        return;
    }
    int target = *top;
    if (anchor == ScrollAnchor::center) {
        const int height = identity == ScrollViewProxy::chapterNoteIdentity
                               ? noteSectionSpacer
                               : rows_[static_cast<std::size_t>(identity)]->height();
        target = *top + height / 2 - viewport()->height() / 2;
    }
    scrollToPosition(target, animated);
}

bool VerseListWidget::scrollForKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool shifted = modifiers == Qt::ShiftModifier && key.key() == Qt::Key_Space;
    if (modifiers != Qt::NoModifier && !shifted) {
        return false;
    }
    // From where a scroll under way is going, so that a held key keeps its pace.
    const int from = scrolling_.state() == QAbstractAnimation::Running ? scrolling_.endValue().toInt()
                                                                       : verticalScrollBar()->value();
    const int page = std::max(lineStep, viewport()->height() - buttonRoom_.bottom() - lineStep);
    int target = from;
    switch (key.key()) {
    case Qt::Key_Up:
        target = from - lineStep;
        break;
    case Qt::Key_Down:
        target = from + lineStep;
        break;
    case Qt::Key_PageUp:
        target = from - page;
        break;
    case Qt::Key_PageDown:
        target = from + page;
        break;
    case Qt::Key_Space:
        target = shifted ? from - page : from + page;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = content_->height();
        break;
    default:
        return false;
    }
    scrollToPosition(target, true);
    return true;
}

void VerseListWidget::scrollToPosition(int target, bool animated) {
    QScrollBar* bar = verticalScrollBar();
    // The content may have grown in this update, before the scroll bar heard of it.
    bar->setMaximum(std::max(bar->maximum(), content_->height() - viewport()->height()));
    target = std::clamp(target, bar->minimum(), bar->maximum());
    scrolling_.stop();
    const Animations::Curve curve = page_.userSettings.context().animations().standard();
    if (!animated || curve.duration.count() <= 0) {
        bar->setValue(target);
        return;
    }
    scrolling_.setStartValue(bar->value());
    scrolling_.setEndValue(target);
    scrolling_.setDuration(static_cast<int>(curve.duration.count()));
    scrolling_.setEasingCurve(curve.easing);
    scrolling_.start();
}

void VerseListWidget::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        emit appeared();
    }
}

void VerseListWidget::keyPressEvent(QKeyEvent* event) {
    // Not the scroll area's own keys: they go on to the page, which hands them to the list on
    // screen, not to whichever list they happened to reach.
    QWidget::keyPressEvent(event);
}

void VerseListWidget::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layoutNow();
}

} // namespace lumenscroll
