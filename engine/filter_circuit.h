// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The linear RC filters beyond the plain integrator: one RC with a load RL across C, and the
// ladder of two RC stages (R → C to ground → R2 → C2 to ground, the output across C2), with or
// without a load RL across C2. The input u is the pulse train, E for D·T and 0 for the rest of
// each period T = 1/f. With v1 on C and v2 on C2:
//
//   second order:  C·dv1/dt = (u − v1)/R − (v1 − v2)/R2,   C2·dv2/dt = (v1 − v2)/R2 − v2/RL
//   first order:   C·dv1/dt = (u − v1)/R − v1/RL
//
// (no RL term without a load), that is dx/dt = A·x + B·u. The output is the last capacitor's
// voltage. Everything here is solved exactly: A has real, negative, distinct eigenvalues −r1 and
// −r2 (0 < r1 < r2; an RC ladder's matrix is similar to a symmetric one with a positive product
// of its off-diagonal entries), so the state is a sum of two exponentials with the circuit's
// natural rates, and each "mode" behaves as a plain RC of time constant 1/ri driven by the same
// pulse train. The step over an interval with constant input, the settled period, the settling
// and the frequency response all follow in closed form; nothing grows with the number of periods.
//
// Contract on values that do not fit: every function returning std::optional is empty when its
// inputs break the stated ranges (a circuit value not positive and finite, a frequency not
// positive and finite, D outside [0, 1]) or when the result is not a finite double, so that no
// caller meets an inf or a NaN unawares.

#include <optional>

namespace engine {

// The second RC stage, between C and the output.
struct SecondStage {
    double R2 = 0; // ohm
    double C2 = 0; // F
};

// A filter circuit: R and C always, a second stage or none (first order), a load across the
// output or none. R, C, R2, C2 and RL must be positive and finite.
struct FilterCircuit {
    double R = 0; // ohm
    double C = 0; // F
    std::optional<SecondStage> second;
    std::optional<double> RL; // ohm
};

// True when every value the circuit holds is positive and finite.
bool IsValidCircuit(const FilterCircuit& circuit);

// 1 for a first-order circuit, 2 with a second stage.
int OrderOf(const FilterCircuit& circuit);

// The DC gain g = RL/(R + R2 + RL): 1 without a load, R2 = 0 for the first order. Empty for an
// invalid circuit.
std::optional<double> DcGain(const FilterCircuit& circuit);

// The circuit as a linear model: A, B, its modes and the settled state for a constant input.
// For a first-order circuit only the entries named for v1 are used (a12, a21, a22 are 0).
struct FilterModel {
    int order = 1;
    double a11 = 0, a12 = 0, a21 = 0, a22 = 0; // A, 1/s
    double b1 = 0;                             // B = (b1, 0), 1/s: 1/(R·C)
    double gain = 1;                           // g: the output's settled value per volt of input
    double firstGain = 1;                      // v1's settled value per volt of input
    // The natural rates r1 < r2 (1/s; eigenvalues −r1, −r2), the first one alone for order 1,
    // and for order 2 their gap s = r2 − r1, computed without cancellation.
    double rate[2] = {0, 0};
    double gap = 0;
    // How the settled state for a constant input u splits into the modes: x∞·u = Σ wi·u, where
    // wi is the mode's eigenvector; output[i] is its output component (γ1 = g·r2/s > 0 and
    // γ2 = −g·r1/s < 0), first[i] its v1 component. For order 1, γ1 = first1 = g.
    double output[2] = {0, 0};
    double first[2] = {0, 0};
    // For order 2, the entries p and q of A − λ2·I on its diagonal (p, q >= 0, p·q = a12·a21,
    // p + q = s) as shares of s: the projectors on the modes are (A − λ2·I)/s and (λ1·I − A)/s.
    double pShare = 0, qShare = 0;
};

// The model of a circuit; empty for an invalid circuit or when a rate leaves the double range.
std::optional<FilterModel> ModelOf(const FilterCircuit& circuit);

// The circuit's state: v1 on C and v2 on C2 (0 for the first order), V.
struct FilterState {
    double v1 = 0, v2 = 0;
};

// The output of a state: v2 for the second order, v1 for the first.
inline double OutputOf(const FilterModel& model, FilterState x) {
    return model.order == 2 ? x.v2 : x.v1;
}

// The exact step over an interval of length t with a constant input u: x' = x∞·u + Φ·(x − x∞·u),
// Φ = e^(A·t), held as M = Φ − I so that a step much shorter than the time constants keeps its
// digits: x' = x + M·(x − x∞·u). M comes from the eigenvalues with expm1 and the divided
// difference (e^(λ1·t) − e^(λ2·t))/(λ1 − λ2) in the form e^(λ1·t)·(1 − e^(−s·t))/s, which
// neither cancels nor overflows.
struct ExactStep {
    double m11 = 0, m12 = 0, m21 = 0, m22 = 0; // Φ − I
    double x1 = 0, x2 = 0;                     // x∞ per volt of input: firstGain and gain
};

// The step over t >= 0 seconds.
ExactStep StepOver(const FilterModel& model, double t);

// One step with input u (V).
inline FilterState Advance(const ExactStep& step, FilterState x, double u) {
    const double d1 = x.v1 - step.x1 * u;
    const double d2 = x.v2 - step.x2 * u;
    return {x.v1 + (step.m11 * d1 + step.m12 * d2), x.v2 + (step.m21 * d1 + step.m22 * d2)};
}

// The settled period of the output at E (V), D in [0, 1] and f (Hz), for E >= 0 finite.
struct FilterSteadyState {
    double vMax = 0;   // V, the output's largest value over a period
    double vMin = 0;   // V, its smallest
    double ripple = 0; // V, vMax − vMin, computed without the cancellation of the subtraction
    double mean = 0;   // V, D·E·g
    double tMax = 0;   // s from the start of a period (the switch-on) to where vMax is reached
    double tMin = 0;   // s, the same for vMin
    FilterState start; // the state at the start of a period, when the input switches on
};

std::optional<FilterSteadyState> SteadyStateOf(const FilterCircuit& circuit, double e, double d,
                                               double f);

// The settled output ripple alone, V: what SteadyStateOf gives as ripple.
std::optional<double> SteadyRippleOf(const FilterCircuit& circuit, double e, double d, double f);

// The circuit as a low-pass filter. H(s) = g·r1·r2/((s + r1)·(s + r2)) (one factor for the
// first order); without a load, 1/(s²·R·C·R2·C2 + s·(R·C + R2·C2 + R·C2) + 1).

// Where |H(j·2π·f)| = |H(0)|/√2, Hz. Empty for an invalid circuit, or when it overflows.
std::optional<double> CutoffFrequencyOf(const FilterCircuit& circuit);

// −20·log10(|H(j·2π·f)|/|H(0)|), dB, for f >= 0 finite: 0 at f = 0, rising with f.
std::optional<double> AttenuationOf(const FilterCircuit& circuit, double f);

struct FrequencyPoint {
    double magnitudeDb = 0;  // 20·log10(|H|/|H(0)|), <= 0
    double phaseDegrees = 0; // unwrapped: from 0 down towards −90 per order
};

std::optional<FrequencyPoint> FrequencyResponseOf(const FilterCircuit& circuit, double f);

// The slope of |H| far above the cut-off: −20 dB per decade per order.
double HighFrequencySlopeDbPerDecade(const FilterCircuit& circuit);

} // namespace engine
