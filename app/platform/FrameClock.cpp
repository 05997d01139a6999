#include "app/platform/FrameClock.h"

#include <memory>
#include <utility>

namespace lumenscroll {

FrameClock::FrameClock(Scheduler& scheduler)
    : scheduler_(scheduler) {}

FrameClock::~FrameClock() {
    beat_->timer.cancel();
}

Subscription FrameClock::onFrame(std::function<void()> frame) {
    auto listening = std::make_shared<Subscription>(beat_->frames.add(std::move(frame)));
    if (!beat_->timer.isActive()) {
        Beat* beat = beat_.get();
        beat_->timer = scheduler_.repeatEvery(&beatContext_, interval, [beat] { beat->frames.send(); });
    }
    return Subscription([weakBeat = std::weak_ptr<Beat>(beat_), listening] {
        listening->cancel();
        // Nobody left to draw a frame: no beat either, so that nothing wakes the program for it.
        const std::shared_ptr<Beat> beat = weakBeat.lock();
        if (beat && beat->frames.empty()) {
            beat->timer.cancel();
        }
    });
}

} // namespace lumenscroll
