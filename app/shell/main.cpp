// The program: one window, the start-up screen and then the main view, until it is closed.

#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MediaMoviePlayer.h"

#include <QApplication>
#include <QString>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QApplication::setApplicationName(QStringLiteral("Lumenscroll"));

    lumenscroll::LumenscrollApp app;
    // Before the window, which shows the movie, and gone after it.
    lumenscroll::MediaMoviePlayer movie;
    lumenscroll::LumenscrollAppWidget window(app, movie);
    window.show();
    return QApplication::exec();
}
