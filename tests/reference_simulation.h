// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The recurrence and the statistics evaluated literally: every period, every sample, every
// value read back from the arrays, each formula grouped as written. Too slow to ship and too
// plain to be wrong, it is what the engine is compared with bit for bit, and what the benchmark
// measures it against. Call it only with settings the engine accepts (1 <= N, the switching
// samples within the arrays): it checks nothing.

#include <cmath>
#include <cstdint>
#include <vector>

// A design and what a run leaves, under the names the program's shared state gives them, with
// arrays of its own. In a namespace without functions, so that calls on it find only the ones
// named.
namespace test_state {
struct SimulatedState {
    double E = 0, f = 0, R = 0, C = 0, D = 0;
    std::int32_t N = 0, NP = 0, NI = 0;
    double dt = 0;
    std::vector<double> Vi, Vo, iC;
    double ViMax = 0, IcMax = 0, VoMax = 0, VoMin = 0;
    double DeltaVoVera = 0, VomVera = 0;
};

// The design of any state with the same names (the program's own, say), and nothing of a run.
template <class State> SimulatedState DesignOf(const State& s) {
    SimulatedState design;
    design.E = s.E;
    design.D = s.D;
    design.f = s.f;
    design.R = s.R;
    design.C = s.C;
    design.N = s.N;
    design.NP = s.NP;
    design.NI = s.NI;
    return design;
}
} // namespace test_state

namespace reference {

using test_state::SimulatedState;

// Nearest integer, halves to even: the default rounding mode, which nothing here changes.
inline std::int32_t ToCount(double x) { return static_cast<std::int32_t>(std::nearbyint(x)); }

// With starts, also records Vo(1) as each period begins and, last, as the last one ends: the
// start values s(1) to s(NI + 1).
inline void RunSimulation(SimulatedState& s, std::vector<double>* starts = nullptr) {
    s.dt = (1 / s.f) / s.N;
    s.Vo.assign(s.N + 2, 0.0);
    s.Vi.assign(s.N + 2, 0.0);
    s.iC.assign(s.N + 2, 0.0);
    auto& Vi = s.Vi;
    auto& Vo = s.Vo;
    auto& iC = s.iC;

    const std::int32_t NI = s.NI;
    for (std::int32_t j = 1; j <= NI; ++j) {
        if (starts)
            starts->push_back(Vo[1]);
        const std::int32_t k = ToCount(s.N * s.D);
        for (std::int32_t i = 1; i <= k; ++i) {
            Vi[i] = s.E;
            Vo[i + 1] = ((s.dt * Vi[i]) / (s.C * s.R) + Vo[i]) - (s.dt * Vo[i]) / (s.C * s.R);
            iC[i] = ((Vo[i + 1] - Vo[i]) * s.C) / s.dt;
        }

        const std::int32_t N = s.N;
        const std::int32_t k1 = ToCount(s.N * s.D + 1);
        Vi[k1] = Vi[k];
        Vo[k1] = Vo[k];
        iC[k1] = iC[k];

        for (std::int32_t i = k1; i <= N; ++i) {
            Vi[i] = 0;
            Vo[i + 1] = Vo[i] - (s.dt * Vo[i]) / (s.C * s.R);
            iC[i] = ((Vo[i + 1] - Vo[i]) * s.C) / s.dt;
        }

        Vi[1] = Vi[s.N];
        Vo[1] = Vo[s.N];
        iC[1] = iC[s.N];
    }
    if (starts && NI >= 1)
        starts->push_back(Vo[1]);
}

// m = x(1); for i = 1 to N: v = |x(i)|; if v >= m (or <= for the minimum) then m = v.
inline double FindMagnitude(const std::vector<double>& x, std::int32_t N, bool largest) {
    double m = x[1];
    for (std::int32_t i = 1; i <= N; ++i) {
        const double v = std::fabs(x[i]);
        if (largest ? v >= m : v <= m)
            m = v;
    }
    return m;
}

inline void ComputeStatistics(SimulatedState& s) {
    s.VoMax = FindMagnitude(s.Vo, s.N, true);
    s.VoMin = FindMagnitude(s.Vo, s.N, false);
    s.ViMax = FindMagnitude(s.Vi, s.N, true);
    s.IcMax = FindMagnitude(s.iC, s.N, true);
    s.DeltaVoVera = (s.VoMax - s.VoMin) * 1000;
    double S = 0;
    for (std::int32_t i = 1; i <= s.N; ++i)
        S = s.dt * s.Vo[i] + S;
    s.VomVera = s.f * S;
}

} // namespace reference
