// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The smallest and largest value of any index range of a sample array, without scanning the
// range: a pyramid of block extremes. The first level sums up blocks of kFirstFanOut samples, each
// level above blocks of kFanOut entries of the one below, so the index takes about a 32nd of the
// array's memory. Built once per run, beside its samples; the drawing asks it for every pixel
// column.

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace engine {

class RangeExtremes {
public:
    // The smallest and largest value of a block.
    struct Extremes {
        double low, high;
        void Include(const Extremes& other) {
            low = std::min(low, other.low);
            high = std::max(high, other.high);
        }
    };

    // Samples per block of the first level.
    static constexpr std::size_t kFirstFanOut = 64;

    RangeExtremes() = default;

    // Reads values once. Throws std::bad_alloc when the levels do not fit.
    explicit RangeExtremes(std::span<const double> values) : values_(values) { Build(); }

    // From the first level already made, one block of kFirstFanOut values after another (the
    // last one ragged) as the constructor above would make it, by a pass that reads the values
    // for other ends too. Throws std::bad_alloc when the levels do not fit.
    RangeExtremes(std::span<const double> values, std::vector<Extremes> firstLevel)
        : values_(values) {
        if (values.size() > kFirstFanOut)
            levels_.push_back(std::move(firstLevel));
        Build();
    }

    // Extremes of values[first..last], both included, as (smallest, largest).
    std::pair<double, double> MinMax(std::size_t first, std::size_t last) const {
        Extremes extremes{values_[first], values_[first]};
        Collect(0, first, last, extremes);
        return {extremes.low, extremes.high};
    }

    std::span<const double> Values() const { return values_; }

private:
    static constexpr std::size_t kFanOut = 8;
    static constexpr std::size_t FanOut(std::size_t level) {
        return level == 0 ? kFirstFanOut : kFanOut;
    }

    // The levels above those there are.
    void Build() {
        std::size_t count = levels_.empty() ? values_.size() : levels_.back().size();
        const Extremes* below = levels_.empty() ? nullptr : levels_.back().data();
        const std::span<const double> values = values_;
        while (count > FanOut(levels_.size())) {
            const std::size_t fanOut = FanOut(levels_.size());
            std::vector<Extremes> level((count + fanOut - 1) / fanOut);
            for (std::size_t block = 0; block < level.size(); ++block) {
                const std::size_t first = block * fanOut;
                const std::size_t last = std::min(first + fanOut, count);
                Extremes extremes = below ? below[first] : Extremes{values[first], values[first]};
                for (std::size_t k = first + 1; k < last; ++k)
                    extremes.Include(below ? below[k] : Extremes{values[k], values[k]});
                level[block] = extremes;
            }
            levels_.push_back(std::move(level));
            below = levels_.back().data();
            count = levels_.back().size();
        }
    }

    Extremes At(std::size_t level, std::size_t index) const {
        if (level == 0)
            return {values_[index], values_[index]};
        return levels_[level - 1][index];
    }

    // Whole blocks go to the level above; the ragged ends are taken entry by entry.
    void Collect(std::size_t level, std::size_t first, std::size_t last, Extremes& extremes) const {
        const std::size_t fanOut = FanOut(level);
        if (level == levels_.size() || last - first < 2 * fanOut) {
            for (std::size_t k = first; k <= last; ++k)
                extremes.Include(At(level, k));
            return;
        }
        const std::size_t firstWhole = (first + fanOut - 1) / fanOut;
        const std::size_t lastWhole = (last + 1) / fanOut; // one past
        for (std::size_t k = first; k < firstWhole * fanOut; ++k)
            extremes.Include(At(level, k));
        for (std::size_t k = lastWhole * fanOut; k <= last; ++k)
            extremes.Include(At(level, k));
        if (firstWhole < lastWhole)
            Collect(level + 1, firstWhole, lastWhole - 1, extremes);
    }

    std::span<const double> values_;
    std::vector<std::vector<Extremes>> levels_;
};

} // namespace engine
