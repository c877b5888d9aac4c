// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The verification circuit as a SPICE netlist that the common simulators read as it is: the
// pulse train as a PULSE source (rise and fall far below the period, the on-time trimmed so that
// the input's mean is exactly D·E), R and C, the second stage and the load when there are, a
// transient analysis from discharged capacitors over a whole number of periods, and two
// measurements over its last period: the output's mean ("vom") and its peak-to-peak ripple
// ("deltavo"). Numbers are written in plain exponent form, since SPICE reads a trailing "m" or
// "M" as milli.

#include "engine/filter_circuit.h"

#include <cstdint>
#include <string>

namespace app {

struct NetlistInput {
    double E = 0, D = 0, f = 0;    // V, fraction in (0, 1), Hz
    engine::FilterCircuit circuit; // valid: every value positive and finite
    std::int64_t periods = 1;      // simulated, >= 1; the last one is measured
    std::string title;             // names the design in the header (a file name, or empty)
    std::string version;           // the program's
};

// The samples of the simulation per period: a maximum step of T/kNetlistStepsPerPeriod.
inline constexpr int kNetlistStepsPerPeriod = 500;

std::string SpiceNetlist(const NetlistInput& input);

} // namespace app
