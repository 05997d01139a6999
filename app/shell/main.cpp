// The program: one window, the start-up screen and then the main view, until it is closed.

#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MediaMoviePlayer.h"

#include <QApplication>
#include <QString>

int main(int argc, char** argv) {
    // Before the application exists: Qt Multimedia picks its backend once.
    lumenscroll::MediaMoviePlayer::preferFfmpegBackend();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QApplication::setApplicationName(QStringLiteral("Lumenscroll"));

    lumenscroll::LumenscrollApp app;
    lumenscroll::LumenscrollAppWidget window(app);
    window.show();
    return QApplication::exec();
}
