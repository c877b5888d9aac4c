#pragma once

// Skipping periods that cannot change the result. Each period maps the value Vo(1) it starts on
// to the value it ends on, and nothing else carries over, so once that value returns to bits it
// held before, every later period repeats an earlier one.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace engine {

// Notices when the carried value comes back to one it held before. The last few values are
// remembered, so that short cycles (two or three periods occur at small N) and the settled state
// (a cycle of one) are caught the moment they close. Longer cycles are caught by Brent's
// checkpoint, which moves to the newest value whenever the count of periods reaches a power of
// two. Values are compared as bit patterns: 0.0 and -0.0 lead to different futures, and a NaN
// equals itself.
class RepeatWatch {
public:
    explicit RepeatWatch(double first) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(first);
        recent_[0] = bits;
        checkpoint_ = bits;
    }

    // Takes the value after period t (t = 1, 2, 3, ... in turn). Returns a cycle length L > 0
    // when the value equals the one after period t − L, so that the values repeat every L periods
    // from t − L on; 0 while no repeat has been seen.
    std::int64_t See(std::int64_t t, double value) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        std::int64_t cycle = RecentLag(t, bits);
        if (cycle == 0 && bits == checkpoint_)
            cycle = t - checkpointPeriod_;
        Remember(t, bits);
        return cycle;
    }

private:
    static constexpr std::int64_t kRecent = 8;

    std::int64_t RecentLag(std::int64_t t, std::uint64_t bits) const {
        const std::int64_t known = std::min(kRecent, t);
        for (std::int64_t lag = 1; lag <= known; ++lag)
            if (recent_[(t - lag) % kRecent] == bits)
                return lag;
        return 0;
    }

    void Remember(std::int64_t t, std::uint64_t bits) {
        recent_[t % kRecent] = bits;
        if (t == nextCheckpoint_) {
            checkpoint_ = bits;
            checkpointPeriod_ = t;
            nextCheckpoint_ *= 2;
        }
    }

    std::array<std::uint64_t, kRecent> recent_{}; // the value after period t at t % kRecent
    std::uint64_t checkpoint_ = 0;
    std::int64_t checkpointPeriod_ = 0;
    std::int64_t nextCheckpoint_ = 1;
};

struct RepeatPosition {
    double value;            // the carried value after the requested number of periods
    std::int64_t periodsRun; // periods actually computed to get it
    std::int64_t cycle;      // length of the cycle found, 0 if none showed up
};

// Applies endOfPeriod `periods` times to `start`, bit for bit, but stops computing as soon as
// the values repeat: from then on only the phase within the cycle matters, and fewer than one
// cycle's worth of periods reaches the same phase as `periods` does.
template <class EndOfPeriod>
RepeatPosition Advance(const EndOfPeriod& endOfPeriod, double start, std::int64_t periods) {
    RepeatWatch watch(start);
    double value = start;
    std::int64_t target = periods;
    std::int64_t cycle = 0;
    std::int64_t t = 0;
    while (t < target) {
        value = endOfPeriod(value);
        ++t;
        if (cycle == 0) {
            cycle = watch.See(t, value);
            if (cycle > 0)
                target = t + (target - t) % cycle;
        }
    }
    return {value, t, cycle};
}

} // namespace engine
