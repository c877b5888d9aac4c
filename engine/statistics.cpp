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

std::optional<PeriodStatistics> ComputeStatistics(const PeriodSamples& samples, std::int32_t N,
                                                  double dt, double f, RunControl* control) {
    if (!HoldsPeriod(samples.Vo, N) || !HoldsPeriod(samples.Vi, N) || !HoldsPeriod(samples.iC, N))
        return std::nullopt;
    const double* vi = samples.Vi.data();
    const double* vo = samples.Vo.data();
    const double* ic = samples.iC.data();
    Largest voMax{vo[1]}, viMax{vi[1]}, icMax{ic[1]};
    Smallest voMin{vo[1]};
    // S = dt·Vo(i) + S over samples 1 to N in index order: the rectangle rule.
    double sum = 0;
    for (std::int64_t first = 1; first <= N; first += RunControl::kStepsBetweenChecks) {
        if (control)
            control->Check();
        const std::int64_t last = std::min<std::int64_t>(N, first + RunControl::kStepsBetweenChecks - 1);
        for (std::int64_t i = first; i <= last; ++i) {
            voMax.See(vo[i]);
            voMin.See(vo[i]);
            viMax.See(vi[i]);
            icMax.See(ic[i]);
            sum = dt * vo[i] + sum;
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

} // namespace engine
