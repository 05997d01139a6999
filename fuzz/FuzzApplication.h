#pragma once

// The process-wide set-up of the targets that run the application's own code: a core
// application (the code under test needs no window; the offscreen platform is named all the
// same, so that nothing that asks for one ever reaches for the machine's display), and the trace
// silenced, since the restore and the loaders trace every verse they read.
//
// Every run writes a home of its own (settings file, Documents folder) and syncs it: the homes go
// to /dev/shm where the machine has it, as syncing each of them to a disk makes a run many times
// slower and adds nothing to what is checked.

#include "app/platform/Trace.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

namespace fuzzing {

inline void initializeApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    if (memory.isDir() && memory.isWritable()) {
        qputenv("TMPDIR", "/dev/shm");
    }
    static QCoreApplication application(*argc, *argv);
    lumenscroll::setTraceSink([](const QString&) {});
}

} // namespace fuzzing
