// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The design as the commands read it from the fields: every value in SI units, converted and
// stored one by one, each before its range test. "Calcola C" stores the design data and what it
// computes from them, "Grafici" the verification data and the run settings over the same
// circuit values. Nothing here is a result of a run: a run's samples and statistics live in the
// run that the plot on show holds. Plain C++.

#include <cstdint>
#include <optional>

namespace app {

struct DesignState {
    double E = 0;       // pulse amplitude, V
    double Vom = 0;     // wanted mean output, V
    double f = 0;       // pulse frequency, Hz
    double DeltaVo = 0; // allowed peak ripple, V
    double R = 0;       // resistance, ohm
    double C = 0;       // capacitance, F
    double D = 0;       // duty cycle as a fraction

    // The filter beyond one RC: its order (1 or 2) and the ratio k of its second stage, from the
    // design data; the second stage's parts, from the verification data; and the load across the
    // output, from either (as E, f, R and C are). None: no second stage, no load.
    int order = 1;
    double k = 0;
    std::optional<double> R2; // ohm
    std::optional<double> C2; // F
    std::optional<double> RL; // ohm

    // Run settings.
    std::int32_t N = 0;  // samples per period
    std::int32_t NP = 0; // periods drawn
    std::int32_t NI = 0; // periods simulated
};

} // namespace app
