// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the engine's tests: designs, the engine run on them, and bit-for-bit comparison with
// the literal evaluation.

#include "engine/period.h"
#include "engine/simulation.h"
#include "tests/reference_simulation.h"

#include <QString>

#include <bit>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace engine_test {

using reference::SimulatedState;

inline engine::RunSettings SettingsOf(const SimulatedState& s) {
    return {s.E, s.D, s.f, s.R, s.C, s.N, s.NI};
}

inline std::variant<engine::RunPlan, engine::RunRefusal> PlanRun(const SimulatedState& s) {
    return engine::PlanRun(SettingsOf(s));
}

inline engine::PeriodPlan MakePeriodPlan(const SimulatedState& s,
                                         engine::SwitchingSamples switching) {
    return engine::MakePeriodPlan(SettingsOf(s), switching);
}

// What a run left in the state: its outcome and where it became periodic.
struct RunResult {
    engine::RunOutcome outcome;
    std::optional<engine::Periodicity> periodic;
};

// The engine's run, its arrays and statistics copied into the state (the arrays all absent and
// dt 0 when it did not complete).
inline RunResult RunSimulation(SimulatedState& s, const engine::RunPlan& plan) {
    const engine::RunAnswer answer = engine::RunSimulation(plan);
    s.Vi.clear();
    s.Vo.clear();
    s.iC.clear();
    s.dt = 0;
    if (answer.outcome != engine::RunOutcome::Completed)
        return {answer.outcome, std::nullopt};
    const engine::SimulatedRun& run = *answer.run;
    s.dt = run.dt;
    s.Vi.assign(run.Vi.begin(), run.Vi.end());
    s.Vo.assign(run.Vo.begin(), run.Vo.end());
    s.iC.assign(run.iC.begin(), run.iC.end());
    return {answer.outcome, run.periodic};
}

// The statistics procedures on the state's arrays, each writing its member; false, writing
// nothing, where the engine's gives nothing.
inline bool Found(std::optional<double> value, double& member) {
    if (value)
        member = *value;
    return value.has_value();
}
inline bool FindViMax(SimulatedState& s) { return Found(engine::FindViMax(s.Vi, s.N), s.ViMax); }
inline bool FindIcMax(SimulatedState& s) { return Found(engine::FindIcMax(s.iC, s.N), s.IcMax); }
inline bool FindVoMax(SimulatedState& s) { return Found(engine::FindVoMax(s.Vo, s.N), s.VoMax); }
inline bool FindVoMin(SimulatedState& s) { return Found(engine::FindVoMin(s.Vo, s.N), s.VoMin); }

// All six statistics written; false when the arrays do not cover N samples (nothing written) or
// a statistic is not finite.
inline bool ComputeStatistics(SimulatedState& s) {
    const auto statistics = engine::ComputeStatistics({s.Vi, s.Vo, s.iC}, s.N, s.dt, s.f);
    if (!statistics)
        return false;
    s.ViMax = statistics->ViMax;
    s.IcMax = statistics->IcMax;
    s.VoMax = statistics->VoMax;
    s.VoMin = statistics->VoMin;
    s.DeltaVoVera = statistics->DeltaVoVera;
    s.VomVera = statistics->VomVera;
    return statistics->finite;
}

// The worked example, whose settled period is known to six decimals.
inline SimulatedState TabulatedDesign() {
    SimulatedState s;
    s.E = 10;
    s.D = 0.3;
    s.f = 1000;
    s.R = 1000;
    s.C = 0.000001;
    s.N = 10;
    s.NI = 2000;
    return s;
}

inline SimulatedState Design(double e, double d, double f, double r, double c, std::int32_t n,
                          std::int32_t ni) {
    SimulatedState s;
    s.E = e;
    s.D = d;
    s.f = f;
    s.R = r;
    s.C = c;
    s.N = n;
    s.NI = ni;
    return s;
}

inline bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline QString Describe(double value) {
    return QString::number(value, 'g', 17) +
           QString(" (0x%1)").arg(std::bit_cast<std::uint64_t>(value), 16, 16, QChar('0'));
}

// Empty when the two arrays agree bit for bit, else where they first differ.
inline QString ArrayDifference(const char* name, const std::vector<double>& got,
                               const std::vector<double>& want) {
    if (got.size() != want.size())
        return QString("%1 has %2 elements, %3 expected")
            .arg(name)
            .arg(got.size())
            .arg(want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!SameBits(got[i], want[i]))
            return QString("%1(%2) is %3, %4 expected")
                .arg(name)
                .arg(i)
                .arg(Describe(got[i]), Describe(want[i]));
    return {};
}

// Empty when dt and the three arrays agree bit for bit.
inline QString RunDifference(const SimulatedState& got, const SimulatedState& want) {
    if (!SameBits(got.dt, want.dt))
        return "dt is " + Describe(got.dt) + ", " + Describe(want.dt) + " expected";
    using Array = std::vector<double> SimulatedState::*;
    for (const auto& [name, array] : {std::pair<const char*, Array>{"Vi", &SimulatedState::Vi},
                                      {"Vo", &SimulatedState::Vo},
                                      {"iC", &SimulatedState::iC}})
        if (QString difference = ArrayDifference(name, got.*array, want.*array);
            !difference.isEmpty())
            return difference;
    return {};
}

// Empty when the six statistics agree bit for bit.
inline QString StatisticsDifference(const SimulatedState& got, const SimulatedState& want) {
    using Result = double SimulatedState::*;
    for (const auto& [name, result] : {std::pair<const char*, Result>{"ViMax", &SimulatedState::ViMax},
                                       {"IcMax", &SimulatedState::IcMax},
                                       {"VoMax", &SimulatedState::VoMax},
                                       {"VoMin", &SimulatedState::VoMin},
                                       {"DeltaVoVera", &SimulatedState::DeltaVoVera},
                                       {"VomVera", &SimulatedState::VomVera}})
        if (!SameBits(got.*result, want.*result))
            return QString("%1 is %2, %3 expected")
                .arg(name, Describe(got.*result), Describe(want.*result));
    return {};
}

inline QString DescribeDesign(const SimulatedState& s) {
    return QString("E %1 D %2 f %3 R %4 C %5 N %6 NI %7")
        .arg(s.E, 0, 'g', 17)
        .arg(s.D, 0, 'g', 17)
        .arg(s.f, 0, 'g', 17)
        .arg(s.R, 0, 'g', 17)
        .arg(s.C, 0, 'g', 17)
        .arg(s.N)
        .arg(s.NI);
}

// The plan of the settings in the state, whatever the refusals about the time step and the
// number of periods say: the engine runs any plan whose switching samples lie within the
// arrays, and must then agree with the literal evaluation all the same.
inline engine::RunPlan UncheckedPlan(const SimulatedState& s) {
    return {MakePeriodPlan(s, *engine::FindSwitchingSamples(s.N, s.D)), s.NI, s.f};
}

inline engine::RunOutcome Simulate(SimulatedState& s) {
    return RunSimulation(s, UncheckedPlan(s)).outcome;
}

// What evaluating every period literally leaves.
inline SimulatedState LiteralRun(SimulatedState s) {
    reference::RunSimulation(s);
    return s;
}

} // namespace engine_test
