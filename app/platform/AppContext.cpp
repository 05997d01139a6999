#include "app/platform/AppContext.h"

#include "app/platform/DesktopUrlOpener.h"
#include "app/platform/OverrideCursorStack.h"
#include "app/platform/QtScheduler.h"
#include "app/platform/SystemClipboard.h"
#include "app/platform/SystemClock.h"
#include "app/platform/SystemKeyProbe.h"
#include "app/platform/SystemRandom.h"

#include <QtGlobal>

namespace lumenscroll {

namespace {

template <class Service> void require(const std::unique_ptr<Service>& service, const char* name) {
    if (!service) {
        qFatal("AppContext: no %s service", name);
    }
}

} // namespace

AppContext::AppContext(Services services)
    : services_(std::move(services)) {
    require(services_.scheduler, "scheduler");
    require(services_.settings, "settings");
    require(services_.documents, "documents");
    require(services_.resources, "resources");
    require(services_.clipboard, "clipboard");
    require(services_.urlOpener, "urlOpener");
    require(services_.cursors, "cursors");
    require(services_.keys, "keys");
    require(services_.activity, "activity");
    require(services_.random, "random");
    require(services_.sounds, "sounds");
    require(services_.animations, "animations");
    require(services_.clock, "clock");
    textFiles_ = std::make_unique<TextFileCache>(*services_.clock);
    frames_ = std::make_unique<FrameClock>(*services_.scheduler);
}

std::unique_ptr<AppContext> AppContext::production(std::unique_ptr<SoundPlayer> sounds) {
    auto activity = std::make_unique<AppActivity>();
    activity->followApplication();
    Services services{
        .scheduler = std::make_unique<QtScheduler>(),
        .settings = std::make_unique<SettingsStore>(),
        .documents = std::make_unique<DocumentsFolder>(),
        .resources = std::make_unique<ResourceLocator>(),
        .clipboard = std::make_unique<SystemClipboard>(),
        .urlOpener = std::make_unique<DesktopUrlOpener>(),
        .cursors = std::make_unique<OverrideCursorStack>(),
        .keys = std::make_unique<SystemKeyProbe>(),
        .activity = std::move(activity),
        .random = std::make_unique<SystemRandom>(),
        .sounds = std::move(sounds),
        .animations = std::make_unique<Animations>(),
        .clock = std::make_unique<SystemClock>(),
    };
    return std::make_unique<AppContext>(std::move(services));
}

} // namespace lumenscroll
