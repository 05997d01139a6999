#pragma once

#include "app/platform/FrameClock.h"

#include <chrono>
#include <optional>

namespace lumenscroll {

// How long an animation on a frame clock has run. Time passes for it only while it runs: one
// held (nobody can see it) goes on from where it stood when it resumes.
class AnimationTime {
public:
    explicit AnimationTime(const FrameClock& clock)
        : clock_(clock) {}

    // Runs from nothing.
    void start() {
        held_.reset();
        startedAt_ = clock_.now();
        running_ = true;
    }
    // Back to nothing run, neither running nor held.
    void reset() {
        held_.reset();
        running_ = false;
    }
    // Stops the time where it stands, to resume from there; nothing while it does not run.
    void hold() {
        if (running_) {
            held_ = elapsed();
            running_ = false;
        }
    }
    // Runs on from where it was held, or from nothing.
    void resume() {
        startedAt_ = clock_.now() - held_.value_or(std::chrono::milliseconds{0});
        held_.reset();
        running_ = true;
    }
    bool isHeld() const { return held_.has_value(); }
    std::chrono::milliseconds elapsed() const {
        return running_ ? clock_.now() - startedAt_ : held_.value_or(std::chrono::milliseconds{0});
    }

private:
    const FrameClock& clock_;
    std::chrono::milliseconds startedAt_{0};
    std::optional<std::chrono::milliseconds> held_;
    bool running_ = false;
};

} // namespace lumenscroll
