// Shows the search page alone in a 1200 by 800 window, where a reading page would show it, so
// that it can be looked at and clicked in a real window: run it under a virtual display and
// take a screenshot. With a query it is typed and submitted as a user would.
//
//     SearchPagePreview [kr01|en01] [query]
//
// It reads the resources beside it and the user's settings: run it with a temporary HOME.

#include "PreviewWindow.h"
#include "app/model/BibleKind.h"
#include "app/platform/AppContext.h"
#include "app/reading/OpenPages.h"
#include "app/reading/UserSettings.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "testing/platform/RecordingSoundPlayer.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

#include <cstdint>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QApplication::setApplicationName(QStringLiteral("Lumenscroll"));
    const QStringList arguments = QApplication::arguments();

    const std::unique_ptr<lumenscroll::AppContext> context = lumenscroll::AppContext::production(
        // A preview plays no sound.
        std::make_unique<lumenscroll::RecordingSoundPlayer>());
    lumenscroll::UserSettings settings;
    lumenscroll::OpenPages(settings).restoreRecords({lumenscroll::BibleStructure{}});
    if (arguments.value(1) == QStringLiteral("en01")) {
        settings.kindOfBible.set(lumenscroll::BibleKind::en01);
    }

    QWidget window;
    dressPreviewWindow(window);

    bool open = true;
    std::int64_t page = 0;
    auto* search = new lumenscroll::SearchBibleViewWidget(lumenscroll::Binding<std::int64_t>::to(page),
                                                          lumenscroll::Binding<bool>::to(open), settings,
                                                          *context, &window);
    // The reading page's top area: centred, 65 points down the 800-point window.
    search->move((1200 - lumenscroll::SearchBibleViewWidget::width) / 2, 65);
    window.show();

    const QString query = arguments.value(2);
    if (!query.isEmpty()) {
        QTimer::singleShot(200, search, [search, query] {
            QLineEdit* field = search->searchBar()->queryField();
            field->setText(query);
            emit field->textEdited(query);
            emit field->returnPressed();
        });
    }
    return QApplication::exec();
}
