// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/statistics.h"

#include "engine/run_control.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// True when x holds samples 1 to N of a run with this N or a larger one. With N < 1 the
// procedures only read element 1.
bool HoldsPeriod(std::span<const double> x, std::int32_t n) {
    const std::int64_t needed = n >= 1 ? std::int64_t{n} + 2 : 2;
    return static_cast<std::int64_t>(x.size()) >= needed;
}

// The running largest and smallest magnitude, each started from element 1 as stored, sign
// included: every magnitude |x(i)| replaces the largest when >= it and the smallest when <= it.
// For N >= 1 sample 1's magnitude always replaces the start value of a maximum.
struct Largest {
    double m;
    void See(double x) {
        const double v = std::fabs(x);
        if (v >= m)
            m = v;
    }
};
struct Smallest {
    double m;
    void See(double x) {
        const double v = std::fabs(x);
        if (v <= m)
            m = v;
    }
};

template <class Running>
std::optional<double> FindMagnitude(std::span<const double> x, std::int32_t n) {
    if (!HoldsPeriod(x, n))
        return std::nullopt;
    Running running{x[1]};
    for (std::int64_t i = 1; i <= n; ++i)
        running.See(x[i]);
    return running.m;
}

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

std::optional<double> FindViMax(std::span<const double> Vi, std::int32_t N) {
    return FindMagnitude<Largest>(Vi, N);
}
std::optional<double> FindIcMax(std::span<const double> iC, std::int32_t N) {
    return FindMagnitude<Largest>(iC, N);
}
std::optional<double> FindVoMax(std::span<const double> Vo, std::int32_t N) {
    return FindMagnitude<Largest>(Vo, N);
}
std::optional<double> FindVoMin(std::span<const double> Vo, std::int32_t N) {
    return FindMagnitude<Smallest>(Vo, N);
}

namespace {

// The statistics in one pass over samples 1 to N, and with levels, the blocks of the first level
// over all elements of the arrays.
std::optional<PeriodStatistics> Summarise(const PeriodSamples& samples, std::int32_t N, double dt,
                                          double f, RunControl* control, FirstLevels* levels) {
    if (!HoldsPeriod(samples.Vo, N) || !HoldsPeriod(samples.Vi, N) || !HoldsPeriod(samples.iC, N))
        return std::nullopt;
    const double* vi = samples.Vi.data();
    const double* vo = samples.Vo.data();
    const double* ic = samples.iC.data();
    Largest voMax{vo[1]}, viMax{vi[1]}, icMax{ic[1]};
    Smallest voMin{vo[1]};
    // S = dt·Vo(i) + S over samples 1 to N in index order: the rectangle rule.
    double sum = 0;
    const auto sample = [&](std::int64_t i) {
        voMax.See(vo[i]);
        voMin.See(vo[i]);
        viMax.See(vi[i]);
        icMax.See(ic[i]);
        sum = dt * vo[i] + sum;
    };

    using Extremes = RangeExtremes::Extremes;
    constexpr std::int64_t kBlock = RangeExtremes::kFirstFanOut;
    const std::int64_t first = levels ? 0 : 1;
    const std::int64_t last = levels ? std::int64_t(samples.Vo.size()) - 1 : N;
    if (levels) {
        const std::size_t blocks = (samples.Vo.size() + kBlock - 1) / kBlock;
        for (auto* level : {&levels->Vi, &levels->Vo, &levels->iC})
            level->resize(blocks);
    }
    for (std::int64_t from = first; from <= last; from += RunControl::kStepsBetweenChecks) {
        if (control)
            control->Check();
        const std::int64_t to = std::min<std::int64_t>(last, from + RunControl::kStepsBetweenChecks - 1);
        if (!levels) {
            for (std::int64_t i = from; i <= to; ++i)
                sample(i);
            continue;
        }
        // Whole blocks: the step between checks is a multiple of the block.
        for (std::int64_t block = from; block <= to; block += kBlock) {
            const std::int64_t end = std::min(to, block + kBlock - 1);
            Extremes x{vi[block], vi[block]}, o{vo[block], vo[block]}, c{ic[block], ic[block]};
            for (std::int64_t i = block; i <= end; ++i) {
                x.Include({vi[i], vi[i]});
                o.Include({vo[i], vo[i]});
                c.Include({ic[i], ic[i]});
                if (i >= 1 && i <= N)
                    sample(i);
            }
            const std::size_t index = std::size_t(block / kBlock);
            levels->Vi[index] = x;
            levels->Vo[index] = o;
            levels->iC[index] = c;
        }
    }
    PeriodStatistics s;
    s.VoMax = voMax.m;
    s.VoMin = voMin.m;
    s.ViMax = viMax.m;
    s.IcMax = icMax.m;
    s.DeltaVoVera = (s.VoMax - s.VoMin) * 1000;
    s.VomVera = f * sum;
    s.finite = AllFinite({s.ViMax, s.IcMax, s.VoMax, s.VoMin, s.DeltaVoVera, s.VomVera});
    return s;
}

} // namespace

std::optional<PeriodStatistics> ComputeStatistics(const PeriodSamples& samples, std::int32_t N,
                                                  double dt, double f, RunControl* control) {
    return Summarise(samples, N, dt, f, control, nullptr);
}

std::optional<PeriodStatistics> ComputeStatistics(const PeriodSamples& samples, std::int32_t N,
                                                  double dt, double f, RunControl* control,
                                                  FirstLevels& levels) {
    return Summarise(samples, N, dt, f, control, &levels);
}

} // namespace engine
