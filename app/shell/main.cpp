// The program: one window, the start-up screen and then the main view, until it is closed.

#include "app/shell/LumenscrollApp.h"
#include "app/shell/LumenscrollAppWidget.h"
#include "app/shell/MediaMoviePlayer.h"

#include <QApplication>
#include <QString>

#include <malloc.h>

int main(int argc, char** argv) {
    // Pictures of a few megabytes come and go (movie frames, page pictures, decoded photos).
    // Mapped apart from the heap, each goes back to the system when it is freed; left to the
    // allocator's own rising threshold, they would end up in the heap and stay resident.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumenscroll"));
    QApplication::setApplicationName(QStringLiteral("Lumenscroll"));

    lumenscroll::LumenscrollApp app;
    // Before the window, which shows the movie, and gone after it.
    lumenscroll::MediaMoviePlayer movie;
    lumenscroll::LumenscrollAppWidget window(app, movie);
    window.fitToScreen();
    window.show();
    return QApplication::exec();
}
