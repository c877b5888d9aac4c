// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Periods that repeat. Each period maps the value Vo(1) it starts on to the value it ends on,
// and nothing else carries over, so once that value returns to bits it held before, every later
// period repeats an earlier one. The run uses this twice: to skip the periods that cannot change
// the result, and to tell the user from which period on it was periodic.
//
// The start values are s(1) = start and s(n + 1) = endOfPeriod(s(n)); the value "after period t"
// is s(t + 1).

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace engine {

// Shows, with a few comparisons per value, that the values seen so far are pairwise distinct:
// they are when they are strictly monotone (a run settling from one side), or when those at odd
// and at even positions are each strictly monotone and lie on either side of a gap (a run
// settling by a damped oscillation). A NaN or a value met twice ends both proofs.
class DistinctValues {
public:
    explicit DistinctValues(double first) : all_(first), odd_(first) {}

    void Add(double value) {
        all_.Add(value);
        (odd_.Count() == even_.Count() ? odd_ : even_).Add(value);
    }
    bool Hold() const {
        const bool apart = even_.Count() == 0 || odd_.Highest() < even_.Lowest() ||
                           even_.Highest() < odd_.Lowest();
        return all_.Monotone() || (odd_.Monotone() && even_.Monotone() && apart);
    }

private:
    // A sequence of values: whether it is strictly monotone so far, and its range.
    class Run {
    public:
        Run() = default;
        explicit Run(double first) : last_(first), lowest_(first), highest_(first), count_(1) {}
        void Add(double value) {
            if (count_ == 0) {
                *this = Run(value);
                return;
            }
            const int direction = value > last_ ? 1 : value < last_ ? -1 : 0;
            monotone_ = monotone_ && direction != 0 && (direction_ == 0 || direction == direction_);
            direction_ = direction;
            last_ = value;
            lowest_ = std::fmin(lowest_, value);
            highest_ = std::fmax(highest_, value);
            ++count_;
        }
        bool Monotone() const { return monotone_ && !std::isnan(last_); }
        double Lowest() const { return lowest_; }
        double Highest() const { return highest_; }
        std::int64_t Count() const { return count_; }

    private:
        double last_ = 0, lowest_ = 0, highest_ = 0;
        std::int64_t count_ = 0;
        int direction_ = 0;
        bool monotone_ = true;
    };

    Run all_, odd_, even_;
};

// Notices when the carried value comes back to one it held before. The last few values are
// remembered, so that short cycles (two or three periods occur at small N) and the settled state
// (a cycle of one) are caught the moment they close: then the value met again is the first of
// all that recurs. Longer cycles are caught by Brent's checkpoint, which moves to the newest
// value whenever the count of periods reaches a power of two; it finds the cycle's length, not
// where it began. Values are compared as bit patterns: 0.0 and -0.0 lead to different futures,
// and a NaN equals itself.
class RepeatWatch {
public:
    static constexpr std::int64_t kRecent = 8;

    explicit RepeatWatch(double first) : distinct_(first) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(first);
        recent_[0] = bits;
        checkpoint_ = bits;
    }

    // Takes the value after period t (t = 1, 2, 3, ... in turn). Returns a cycle length L > 0
    // when the value equals the one after period t − L, so that the values repeat every L periods
    // from t − L on; 0 while no repeat has been seen. After the first repeat it takes no more.
    std::int64_t See(std::int64_t t, double value) {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        std::int64_t cycle = RecentLag(t, bits);
        if (cycle == 0 && bits == checkpoint_)
            cycle = t - checkpointPeriod_;
        Remember(t, bits);
        distinct_.Add(value);
        if (cycle > 0) {
            cycle_ = cycle;
            repeatedAt_ = t;
        }
        return cycle;
    }

    std::int64_t Cycle() const { return cycle_; }
    // The period after which the first repeat was seen.
    std::int64_t RepeatedAt() const { return repeatedAt_; }
    // Whether the repeat was seen among the recent values, so that it is the first of all.
    bool RepeatedRecently() const { return cycle_ > 0 && cycle_ <= kRecent; }
    // Whether every value seen is known to differ from every other.
    bool AllDistinct() const { return cycle_ == 0 && distinct_.Hold(); }

private:
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
    std::int64_t cycle_ = 0, repeatedAt_ = 0;
    DistinctValues distinct_;
};

struct RepeatPosition {
    double value;            // the carried value after the requested number of periods
    std::int64_t periodsRun; // periods actually computed to get it
    std::int64_t cycle;      // length of the cycle found, 0 if none showed up
};

// Where the start values first repeat: p is the first period whose start value s(p) comes back
// later, and s(p + L) = s(p) is its first return.
struct Periodicity {
    std::int64_t firstPeriod; // p
    std::int64_t cycle;       // L
};

// The start values of one run, walked once from s(1) = start.
template <class EndOfPeriod> class PeriodWalk {
public:
    PeriodWalk(EndOfPeriod endOfPeriod, double start)
        : endOfPeriod_(std::move(endOfPeriod)), start_(start), value_(start), watch_(start) {}

    // The value after `periods` periods, s(periods + 1), bit for bit, but computing no more as
    // soon as the values repeat: from then on only the phase within the cycle matters, and fewer
    // than one cycle's worth of periods reaches the same phase as `periods` does.
    RepeatPosition Advance(std::int64_t periods) {
        std::int64_t target = periods;
        std::int64_t run = 0;
        while (t_ < target) {
            value_ = endOfPeriod_(value_);
            ++t_;
            ++run;
            if (watch_.Cycle() == 0 && See(value_) > 0)
                target = t_ + (target - t_) % watch_.Cycle();
        }
        return {value_, run, watch_.Cycle()};
    }

    // The value after the next period, computed by the caller (the last period, written in full
    // rather than walked): the watch sees it as it would have seen it here.
    void SeeNext(double value) {
        ++t_;
        value_ = value;
        if (watch_.Cycle() == 0)
            See(value);
    }

    // Where the values s(1) to s(last) first repeat, exactly; nothing when no two of them are
    // equal. Called after the walk has seen s(last). A cycle longer than the watch remembers is
    // found by walking on, at most about three times as far (Brent's checkpoint catches a cycle
    // of length L from p on before period 2·max(p, L) + L), unless the values seen are already
    // known to be distinct; where the cycle began then takes a second walk from the start.
    std::optional<Periodicity> Periodic(std::int64_t last) {
        if (watch_.AllDistinct())
            return std::nullopt;
        const std::int64_t farthest = 3 * last + 2 * RepeatWatch::kRecent;
        while (watch_.Cycle() == 0 && t_ + 1 < farthest)
            SeeNext(endOfPeriod_(value_));
        if (watch_.Cycle() == 0)
            return std::nullopt;
        const std::int64_t cycle = watch_.Cycle();
        const std::int64_t first =
            watch_.RepeatedRecently() ? watch_.RepeatedAt() + 1 - cycle : FirstOfCycle(cycle);
        if (first + cycle > last)
            return std::nullopt;
        return Periodicity{first, cycle};
    }

private:
    std::int64_t See(double value) { return watch_.See(t_, value); }

    // The first p with s(p) = s(p + cycle): two walks, cycle periods apart, until they meet.
    std::int64_t FirstOfCycle(std::int64_t cycle) const {
        double behind = start_, ahead = start_;
        for (std::int64_t k = 0; k < cycle; ++k)
            ahead = endOfPeriod_(ahead);
        std::int64_t first = 1;
        while (std::bit_cast<std::uint64_t>(behind) != std::bit_cast<std::uint64_t>(ahead)) {
            behind = endOfPeriod_(behind);
            ahead = endOfPeriod_(ahead);
            ++first;
        }
        return first;
    }

    EndOfPeriod endOfPeriod_; // held by value: a walk may outlive the expression that made it
    double start_;
    double value_;       // s(t_ + 1)
    std::int64_t t_ = 0; // periods walked or seen
    RepeatWatch watch_;
};

// Applies endOfPeriod `periods` times to `start`, bit for bit, skipping what repeats.
template <class EndOfPeriod>
RepeatPosition Advance(const EndOfPeriod& endOfPeriod, double start, std::int64_t periods) {
    return PeriodWalk<EndOfPeriod>(endOfPeriod, start).Advance(periods);
}

} // namespace engine
