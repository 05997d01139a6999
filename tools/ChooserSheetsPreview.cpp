// Shows one of the reading page's sheets alone in a 1200 by 800 window, centred over where the
// page stands, so that it can be looked at and clicked in a real window: run it under a virtual
// display and take a screenshot.
//
//     ChooserSheetsPreview book [kr01|en01] [book index] [chapter index]
//     ChooserSheetsPreview translation
//     ChooserSheetsPreview note [text]
//
// It reads the resources beside it and the user's settings: run it with a temporary HOME.

#include "PreviewWindow.h"
#include "app/model/BibleKind.h"
#include "app/platform/AppContext.h"
#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/OpenPages.h"
#include "app/reading/QTViewForAPraiseWidget.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/RecordingSoundPlayer.h"

#include <QApplication>
#include <QListWidget>
#include <QPalette>
#include <QStringList>
#include <QTextEdit>

#include <cstdint>
#include <memory>

using namespace lumenscroll;

namespace {

// A click on row `row` of `list`, as the user's would arrive.
void pick(QListWidget* list, int row) {
    if (QListWidgetItem* item = list->item(row)) {
        list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        emit list->itemClicked(item);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QApplication::setApplicationName(QStringLiteral("Lumenscroll"));
    const QStringList arguments = QApplication::arguments();
    const QString sheet = arguments.value(1, QStringLiteral("book"));

    const std::unique_ptr<AppContext> context = AppContext::production(
        // A preview plays no sound.
        std::make_unique<RecordingSoundPlayer>());
    UserSettings settings;
    // One open page, Genesis 1 with its 31 verses.
    BibleStructure page;
    page.order = 0;
    page.praises.resize(31);
    if (arguments.value(2) == QStringLiteral("en01")) {
        page.kindOfBible = BibleKind::en01;
        settings.kindOfBible.set(BibleKind::en01);
    }
    OpenPages(settings).restoreRecords({page});

    QWidget window;
    dressPreviewWindow(window);

    bool shown = true;
    bool confirmed = false;
    std::int64_t verse = 0;
    std::int64_t pageIndex = 0;
    BibleKind kind = page.kindOfBible;
    std::string note = arguments.value(2).toStdString();
    QWidget* content = nullptr;
    if (sheet == QStringLiteral("translation")) {
        content = new KindOfBibleSelectionViewWidget(
            KindOfBibleSelectionView(Binding<bool>::to(shown), Binding<BibleStructure>::to(page), 0, 0, 0,
                                     Binding<std::int64_t>::to(verse), Binding<bool>::to(confirmed),
                                     Binding<BibleKind>::to(kind), settings),
            *context, &window);
    } else if (sheet == QStringLiteral("note")) {
        content = new QTViewForAPraiseWidget(
            QTViewForAPraise(Binding<std::int64_t>::constant(2), Binding<std::int64_t>::to(pageIndex), "",
                             std::string(QTViewForAPraise::placeholderText), Binding<std::string>::to(note), settings,
                             readingFontDisplayNames(), readingFontFileNames(), {}),
            &window);
        // On the white of the page it stands on.
        content->setAutoFillBackground(true);
        QPalette white = content->palette();
        white.setColor(QPalette::Window, Qt::white);
        content->setPalette(white);
    } else {
        auto* chooser = new BibleSelectionViewWidget(
            BibleSelectionView(Binding<bool>::to(shown), Binding<BibleStructure>::to(page), 0, 0,
                               Binding<std::int64_t>::to(verse), Binding<bool>::to(confirmed), settings, {},
                               ColorScheme::light, true, Binding<std::int64_t>::to(pageIndex)),
            *context, &window);
        pick(chooser->bookList(), arguments.value(3, QStringLiteral("0")).toInt());
        pick(chooser->chapterList(), arguments.value(4, QStringLiteral("0")).toInt());
        content = chooser;
    }
    content->adjustSize();
    content->move((window.width() - content->width()) / 2, (window.height() - content->height()) / 2);
    window.show();
    return QApplication::exec();
}
