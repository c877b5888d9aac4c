// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Inside the engine: a filter model seen through its modes at one pulse frequency. Each mode i
// is a plain RC of rate ri driven by the pulse train scaled to 1, whose settled period is the
// integrator's (ideal_circuit.h) at x = ri·T; the circuit's state is E·Σ wi·zi, the output
// E·Σ γi·zi.

#include "engine/filter_circuit.h"
#include "engine/modal_pieces.h"

namespace engine::modes {

struct ModeSet {
    int count = 1;
    double rate[2] = {0, 0};  // 1/s
    double gamma[2] = {0, 0}; // output share
    double first[2] = {0, 0}; // v1 share
    double gap = 0;           // r2 − r1, 1/s
    double x[2] = {0, 0};     // ri·T, may be +inf
};

ModeSet Of(const FilterModel& model, double f);

// The settled modes at duty D, as fractions of E: at the start of a period and at the switch-off.
struct SettledModes {
    double atStart[2] = {0, 0};
    double atSwitch[2] = {0, 0};
};

SettledModes Settled(const ModeSet& set, double d);

// A stretch of constant input u (0 or 1) from the modes z0.
modal::ModalStretch Stretch(const ModeSet& set, const double (&z0)[2], double u);

// The state of the circuit with modes z, at input scale E.
FilterState StateOf(const ModeSet& set, const double (&z)[2], double e);

// The output's extremes over one period (per volt of E) that starts at zStart and switches off
// at zSwitch, with where they are from the period's start.
modal::StretchExtremes PeriodExtremes(const ModeSet& set, const double (&zStart)[2],
                                      const double (&zSwitch)[2], double d, double period);

} // namespace engine::modes
