#pragma once

#include "app/platform/AppContext.h"
#include "app/platform/SettingsStore.h"
#include "testing/platform/FixedClock.h"
#include "testing/platform/FixedKeyProbe.h"
#include "testing/platform/ManualScheduler.h"
#include "testing/platform/MemoryClipboard.h"
#include "testing/platform/RecordingCursorStack.h"
#include "testing/platform/RecordingSoundPlayer.h"
#include "testing/platform/RecordingUrlOpener.h"
#include "testing/platform/SeededRandom.h"
#include "testing/platform/TraceCapture.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lumenscroll {

// An application context for tests, with nothing shared with the user or with other tests:
// a temporary folder holding the Documents folder, the settings file and (unless a folder of
// real resources is given) an empty resource folder; a manual scheduler; a captured trace;
// stand-ins for clipboard, links, cursors, keys and sounds; a clock that stands still; a
// seeded random source; and animation switched off. Everything is removed when it is
// destroyed, unless it was made for a home the caller keeps (inHome), where one launch after
// another finds what the last one left.
class TestAppContext {
public:
    // `resourceDirectory`: a folder of resources to look in instead of the empty one. The
    // settings file is written where a test can wait for it, on the calling thread, unless
    // `settingsWrites` says otherwise.
    explicit TestAppContext(const QString& resourceDirectory = {}, quint32 randomSeed = 1,
                            SettingsStore::Writes settingsWrites = SettingsStore::Writes::onCallingThread);
    // A later launch in `home`, a folder the caller keeps (another context's rootPath(), or a
    // folder of its own): the Documents folder and the settings file an earlier launch left
    // there, read anew, and `resourceDirectory` (the home's own resource folder when empty; a
    // folder that does not exist is a build without resources). The home is left in place.
    static std::unique_ptr<TestAppContext>
    inHome(const QString& home, const QString& resourceDirectory = {}, quint32 randomSeed = 1,
           SettingsStore::Writes settingsWrites = SettingsStore::Writes::onCallingThread);
    TestAppContext(const TestAppContext&) = delete;
    TestAppContext& operator=(const TestAppContext&) = delete;
    ~TestAppContext();

    AppContext& context() { return *context_; }

    ManualScheduler& manualScheduler() { return *scheduler_; }
    TraceCapture& traceCapture() { return trace_; }
    MemoryClipboard& memoryClipboard() { return *clipboard_; }
    RecordingUrlOpener& recordingUrlOpener() { return *urlOpener_; }
    RecordingCursorStack& recordingCursorStack() { return *cursors_; }
    FixedKeyProbe& fixedKeyProbe() { return *keys_; }
    RecordingSoundPlayer& recordingSoundPlayer() { return *sounds_; }
    FixedClock& fixedClock() { return *clock_; }

    // The folder everything lives in.
    QString rootPath() const { return root_; }
    QString settingsFilePath() const;

    // Puts a file into the temporary resource folder; refuses (false) when a folder of real
    // resources was given, which a test must never write into.
    bool addResource(const QString& fileName, const QByteArray& bytes);

private:
    TestAppContext(std::unique_ptr<QTemporaryDir> ownRoot, QString home, const QString& resourceDirectory,
                   quint32 randomSeed, SettingsStore::Writes settingsWrites);

    // None for a launch in a home the caller keeps.
    std::unique_ptr<QTemporaryDir> ownRoot_;
    QString root_;
    TraceCapture trace_;
    ManualScheduler* scheduler_ = nullptr;
    MemoryClipboard* clipboard_ = nullptr;
    RecordingUrlOpener* urlOpener_ = nullptr;
    RecordingCursorStack* cursors_ = nullptr;
    FixedKeyProbe* keys_ = nullptr;
    RecordingSoundPlayer* sounds_ = nullptr;
    FixedClock* clock_ = nullptr;
    bool ownsResources_ = false;
    // Last: destroyed first, while the folder and the capture it writes into still exist.
    std::unique_ptr<AppContext> context_;
};

} // namespace lumenscroll
