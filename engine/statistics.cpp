#include "engine/statistics.h"

#include <cmath>
#include <functional>
#include <vector>

namespace engine {

namespace {

// True when x is the array of a run with this N or a larger one, so that it holds samples 1 to
// N. With N < 1 the procedures only read element 1.
bool HoldsPeriod(const std::vector<double>& x, std::int32_t n) {
    const std::int64_t needed = n >= 1 ? std::int64_t{n} + 2 : 2;
    return static_cast<std::int64_t>(x.size()) >= needed;
}

// Starts from element 1 as stored, sign included, and lets each magnitude |x(i)|, i = 1 to N,
// replace the running value when takes(|x(i)|, running value) holds. For N >= 1 sample 1's
// magnitude always replaces the start value of a maximum.
template <class Takes>
bool FindMagnitude(const std::vector<double>& x, std::int32_t n, Takes takes, double& result) {
    if (!HoldsPeriod(x, n))
        return false;
    double m = x[1];
    for (std::int64_t i = 1; i <= n; ++i) {
        const double v = std::fabs(x[i]);
        if (takes(v, m))
            m = v;
    }
    result = m;
    return true;
}

// S = dt·Vo(i) + S over samples 1 to N in index order, then f·S: the rectangle rule.
double MeanOutput(const app::DesignState& state) {
    const std::int32_t n = state.N;
    double sum = 0;
    for (std::int64_t i = 1; i <= n; ++i)
        sum = state.dt * state.Vo[i] + sum;
    return state.f * sum;
}

bool AllFinite(std::initializer_list<double> values) {
    for (const double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

} // namespace

bool FindViMax(app::DesignState& s) {
    return FindMagnitude(s.Vi, s.N, std::greater_equal<>{}, s.ViMax);
}
bool FindIcMax(app::DesignState& s) {
    return FindMagnitude(s.iC, s.N, std::greater_equal<>{}, s.IcMax);
}
bool FindVoMax(app::DesignState& s) {
    return FindMagnitude(s.Vo, s.N, std::greater_equal<>{}, s.VoMax);
}
bool FindVoMin(app::DesignState& s) {
    return FindMagnitude(s.Vo, s.N, std::less_equal<>{}, s.VoMin);
}

bool ComputeStatistics(app::DesignState& s) {
    if (!FindVoMax(s) || !FindVoMin(s) || !FindViMax(s) || !FindIcMax(s))
        return false;
    s.DeltaVoVera = (s.VoMax - s.VoMin) * 1000;
    s.VomVera = MeanOutput(s);
    return AllFinite({s.ViMax, s.IcMax, s.VoMax, s.VoMin, s.DeltaVoVera, s.VomVera});
}

} // namespace engine
