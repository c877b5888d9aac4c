// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Between a long computation on a worker thread and the window that waits for it: the request
// to stop, and how far the work has got. Both sides only load and store single words, so the
// computation pays a few instructions per check.

#include <atomic>
#include <cstdint>

namespace engine {

// Thrown by a check when a stop has been requested; caught where the work began.
struct WorkStopped {};

class RunControl {
public:
    // How many steps a long loop takes between two checks.
    static constexpr std::int64_t kStepsBetweenChecks = std::int64_t{1} << 20;

    // Either thread.
    void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

    // The work's side: the unit under way (a period, a row), counted from 1, and how many steps
    // into it the work is.
    void SetUnit(std::int64_t unit) {
        unit_.store(unit, std::memory_order_relaxed);
        step_.store(0, std::memory_order_relaxed);
    }
    void SetStep(std::int64_t step) { step_.store(step, std::memory_order_relaxed); }

    // Throws WorkStopped once a stop has been requested.
    void Check() const {
        if (StopRequested())
            throw WorkStopped{};
    }

    // The watcher's side.
    std::int64_t Unit() const { return unit_.load(std::memory_order_relaxed); }
    std::int64_t Step() const { return step_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<std::int64_t> unit_{0};
    std::atomic<std::int64_t> step_{0};
};

} // namespace engine
