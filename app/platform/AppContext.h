#pragma once

#include "app/platform/Animations.h"
#include "app/platform/AppActivity.h"
#include "app/platform/Clipboard.h"
#include "app/platform/Clock.h"
#include "app/platform/CursorStack.h"
#include "app/platform/DocumentsFolder.h"
#include "app/platform/FrameClock.h"
#include "app/platform/KeyProbe.h"
#include "app/platform/RandomSource.h"
#include "app/platform/ResourceLocator.h"
#include "app/platform/Scheduler.h"
#include "app/platform/SettingsStore.h"
#include "app/platform/SoundPlayer.h"
#include "app/platform/TextFileCache.h"
#include "app/platform/UrlOpener.h"

#include <memory>

namespace lumenscroll {

// Every platform service a view may ask for, in one object handed to every view: nothing
// reaches the platform around it, so a test that builds the context with stand-ins controls
// time, the clock, files, settings, keys, clipboard and randomness completely. Diagnostics go through
// trace() (Trace.h), which tests capture separately.
class AppContext {
public:
    struct Services {
        std::unique_ptr<Scheduler> scheduler;
        std::unique_ptr<SettingsStore> settings;
        std::unique_ptr<DocumentsFolder> documents;
        std::unique_ptr<ResourceLocator> resources;
        std::unique_ptr<Clipboard> clipboard;
        std::unique_ptr<UrlOpener> urlOpener;
        std::unique_ptr<CursorStack> cursors;
        std::unique_ptr<KeyProbe> keys;
        std::unique_ptr<AppActivity> activity;
        std::unique_ptr<RandomSource> random;
        std::unique_ptr<SoundPlayer> sounds;
        std::unique_ptr<Animations> animations;
        std::unique_ptr<Clock> clock;
    };

    // Stops the program when a service is missing: a view would otherwise fail far from here.
    explicit AppContext(Services services);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The running application's services (needs a QGuiApplication), with `sounds` as the sound
    // player: the shell's over Qt Multimedia in the program.
    static std::unique_ptr<AppContext> production(std::unique_ptr<SoundPlayer> sounds);

    Scheduler& scheduler() const { return *services_.scheduler; }
    SettingsStore& settings() const { return *services_.settings; }
    const DocumentsFolder& documents() const { return *services_.documents; }
    const ResourceLocator& resources() const { return *services_.resources; }
    Clipboard& clipboard() const { return *services_.clipboard; }
    UrlOpener& urlOpener() const { return *services_.urlOpener; }
    CursorStack& cursors() const { return *services_.cursors; }
    const KeyProbe& keys() const { return *services_.keys; }
    AppActivity& activity() const { return *services_.activity; }
    RandomSource& random() const { return *services_.random; }
    SoundPlayer& sounds() const { return *services_.sounds; }
    Animations& animations() const { return *services_.animations; }
    const Clock& clock() const { return *services_.clock; }
    // The last text file read, for this run, on this context's clock.
    TextFileCache& textFiles() const { return *textFiles_; }
    // The beat every animation drawn frame by frame follows, on this context's scheduler.
    FrameClock& frames() const { return *frames_; }

private:
    Services services_;
    std::unique_ptr<TextFileCache> textFiles_;
    std::unique_ptr<FrameClock> frames_;
};

} // namespace lumenscroll
