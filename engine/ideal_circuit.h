// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The continuous RC integrator in closed form: the input is E for D·T and 0 for the rest of each
// period T = 1/f, and drives C through R. Everything depends on the circuit only through
// x = T/(R·C), the period over the time constant.
//
// Contract on values that do not fit: the steady-state functions never overflow and never make
// up a NaN for inputs within their stated ranges (a NaN input gives NaN); PeriodOverTimeConstant
// gives +inf only as the limit R·C ≪ T, which they take. The functions returning std::optional
// are empty whenever the result is not a finite double (or, for the capacitance, not a normal
// one), so that no caller ever meets an inf or a NaN unawares.

#include <optional>

namespace engine {

// The settled period. All four lie in [0, E].
struct IdealSteadyState {
    double vMax;   // V, at the end of the on-phase
    double vMin;   // V, at the end of the off-phase
    double ripple; // V, vMax − vMin, computed without the cancellation of the subtraction
    double mean;   // V, D·E
};

// x = T/(R·C) = 1/(f·R·C) for f, R > 0 and C >= 0, with no overflow or underflow in the product:
// only x itself can overflow (to +inf, also for C = 0) or underflow (to 0). Both ends are the
// circuit's proper limits and NormalisedSteadyState takes them.
double PeriodOverTimeConstant(double f, double r, double c);

// The settled period for E = 1 (each field a fraction of E), for x in [0, +inf] and D in [0, 1].
// x = 0 is the limit R·C ≫ T (vMax = vMin = D, ripple 0), x = +inf the limit R·C ≪ T
// (vMax = 1, vMin = 0, ripple 1 for 0 < D < 1).
IdealSteadyState NormalisedSteadyState(double x, double d);

// The ripple of NormalisedSteadyState alone: (1 − e^(−D·x))·(1 − e^(−(1−D)·x)) / (1 − e^(−x)).
// It rises monotonically with x from 0 towards 1 (0 < D < 1) and never exceeds D·(1 − D)·x,
// the small-x limit.
double NormalisedRipple(double x, double d);

// The settled period in volts, for E >= 0, D in [0, 1], f, R > 0 and C >= 0, all finite.
IdealSteadyState IdealSteadyStateOf(double e, double d, double f, double r, double c);

// The capacitance, in F, whose settled ripple is exactly deltaVo, for E and Vom in V, f in Hz,
// deltaVo in V and R in ohm, with E > 0, 0 < Vom <= E, f > 0, deltaVo > 0 and R > 0, all finite
// (D = Vom/E). Any larger capacitance keeps the ripple below deltaVo. It is 0 when every
// positive capacitance does (deltaVo >= E, or D = 1). Empty when the inputs break these ranges,
// when D or deltaVo/E is below the normal double range, or when the capacitance overflows or
// falls below the normal range. For R·C ≫ T it tends to D·E·(1 − D)/(R·f·deltaVo).
std::optional<double> ExactCapacitance(double e, double vom, double f, double deltaVo, double r);

} // namespace engine
