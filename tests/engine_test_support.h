#pragma once

// Shared by the engine's tests: designs, and bit-for-bit comparison with the literal evaluation.

#include "app/design_state.h"
#include "tests/reference_simulation.h"

#include <QString>

#include <bit>
#include <cstdint>
#include <vector>

namespace engine_test {

// The design whose settled period the documentation tabulates.
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
        return QString("%1 has %2 elements, %3 expected").arg(name).arg(got.size()).arg(want.size());
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
    for (const QString& difference : {ArrayDifference("Vi", got.Vi, want.Vi),
                                      ArrayDifference("Vo", got.Vo, want.Vo),
                                      ArrayDifference("iC", got.iC, want.iC)})
        if (!difference.isEmpty())
            return difference;
    return {};
}

// Empty when the six statistics agree bit for bit.
inline QString StatisticsDifference(const DesignState& got, const DesignState& want) {
    const struct {
        const char* name;
        double got, want;
    } results[] = {{"ViMax", got.ViMax, want.ViMax},       {"IcMax", got.IcMax, want.IcMax},
                   {"VoMax", got.VoMax, want.VoMax},       {"VoMin", got.VoMin, want.VoMin},
                   {"DeltaVoVera", got.DeltaVoVera, want.DeltaVoVera},
                   {"VomVera", got.VomVera, want.VomVera}};
    for (const auto& result : results)
        if (!SameBits(result.got, result.want))
            return QString("%1 is %2, %3 expected")
                .arg(result.name, Describe(result.got), Describe(result.want));
    return {};
}

// What evaluating every period literally leaves.
inline DesignState LiteralRun(DesignState s) {
    reference::RunSimulation(s);
    return s;
}

} // namespace engine_test
