#pragma once

// Shared by the engine's tests: designs, and bit-for-bit comparison with the literal evaluation.

#include "app/design_state.h"
#include "engine/period.h"
#include "engine/simulation.h"
#include "tests/reference_simulation.h"

#include <QString>

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace engine_test {

using app::DesignState;

// The worked example, whose settled period is known to six decimals.
inline DesignState TabulatedDesign() {
    DesignState s;
    s.E = 10;
    s.D = 0.3;
    s.f = 1000;
    s.R = 1000;
    s.C = 0.000001;
    s.N = 10;
    s.NI = 2000;
    return s;
}

inline DesignState Design(double e, double d, double f, double r, double c, std::int32_t n,
                          std::int32_t ni) {
    DesignState s;
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
inline QString RunDifference(const DesignState& got, const DesignState& want) {
    if (!SameBits(got.dt, want.dt))
        return "dt is " + Describe(got.dt) + ", " + Describe(want.dt) + " expected";
    using Array = std::vector<double> DesignState::*;
    for (const auto& [name, array] : {std::pair<const char*, Array>{"Vi", &DesignState::Vi},
                                      {"Vo", &DesignState::Vo},
                                      {"iC", &DesignState::iC}})
        if (QString difference = ArrayDifference(name, got.*array, want.*array);
            !difference.isEmpty())
            return difference;
    return {};
}

// Empty when the six statistics agree bit for bit.
inline QString StatisticsDifference(const DesignState& got, const DesignState& want) {
    using Result = double DesignState::*;
    for (const auto& [name, result] : {std::pair<const char*, Result>{"ViMax", &DesignState::ViMax},
                                       {"IcMax", &DesignState::IcMax},
                                       {"VoMax", &DesignState::VoMax},
                                       {"VoMin", &DesignState::VoMin},
                                       {"DeltaVoVera", &DesignState::DeltaVoVera},
                                       {"VomVera", &DesignState::VomVera}})
        if (!SameBits(got.*result, want.*result))
            return QString("%1 is %2, %3 expected")
                .arg(name, Describe(got.*result), Describe(want.*result));
    return {};
}

inline QString DescribeDesign(const DesignState& s) {
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
inline engine::RunPlan UncheckedPlan(const DesignState& s) {
    return {engine::MakePeriodPlan(s, *engine::FindSwitchingSamples(s.N, s.D)), s.NI};
}

inline engine::RunOutcome Simulate(DesignState& s) {
    return engine::RunSimulation(s, UncheckedPlan(s)).outcome;
}

// What evaluating every period literally leaves.
inline DesignState LiteralRun(DesignState s) {
    reference::RunSimulation(s);
    return s;
}

} // namespace engine_test
