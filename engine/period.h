// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One period of the recurrence, laid out once per run: the switching samples, the step terms,
// and the two ways of walking a period, to its end value only or writing every sample.

#include <cstdint>
#include <optional>

namespace engine {

class RunControl;

// What a run needs, in SI units: the pulse amplitude E (V), the duty cycle D as a fraction, the
// frequency f (Hz), R (ohm) and C (F); the samples per period N and the periods to simulate NI.
struct RunSettings {
    double E = 0, D = 0, f = 0, R = 0, C = 0;
    std::int32_t N = 0, NI = 0;
};

// Rounds to the nearest integer, a value exactly halfway going to the even neighbour (2.5 gives
// 2, 3.5 gives 4). Empty when the value is not a number or lands outside the signed 32-bit range,
// where a conversion would be undefined.
std::optional<std::int32_t> CountFromReal(double x);

// The two samples where the input switches off.
struct SwitchingSamples {
    std::int32_t k;  // on-phase samples: N·D as a count
    std::int32_t k1; // first off-phase index: the real N·D + 1 as a count, which is not always
                     // k + 1 (N·D = 2.5 gives k = 2, k1 = 4)
};

// Empty unless 0 <= k <= N and k <= k1 <= N + 1: only then does every element a period reads or
// writes lie within the arrays' indices 0 to N + 1. Any D strictly between 0 and 1 qualifies.
std::optional<SwitchingSamples> FindSwitchingSamples(std::int32_t n, double d);

// Whether a written period holds the input high on at least one of its samples 1 to N of Vi, and
// carries it into the output. The on-phase writes Vi(1) to Vi(k); the off-phase overwrites
// Vi(k1), which is Vi(k) itself when k1 = k (N·D = 1.5, 3.5, …); the wrap gives Vi(1) the value
// of Vi(N); and the off-phase starts from the copy of Vo(k), so only k − 1 on-steps reach the
// period's end (N − 1 when there is no off-phase). With N·D below 1.5, or exactly 1.5, nothing of
// the pulse is left: the input shows no pulse, or the output never rises.
bool HasPulseSample(std::int32_t n, SwitchingSamples switching);

// The smallest N from 1 to `most` whose switching samples for d satisfy `works`, which, once it
// holds for an N, holds for every larger one; empty when it holds for none.
std::optional<std::int32_t> FewestSamplesWhere(double d, std::int32_t most,
                                               bool (*works)(std::int32_t n,
                                                             SwitchingSamples switching));

// (1 / f) / N, the two divisions in this order.
double TimeStep(double f, std::int32_t n);

// Everything a period needs, fixed for the whole run. The step terms keep the grouping of the
// recurrence: the product dt·x divided by the product C·R. Computing C·R and (dt·E)/(C·R) once
// gives the very bits that forming them anew at every step would.
struct PeriodPlan {
    std::int32_t n;  // samples per period
    std::int32_t k;  // on-phase samples
    std::int32_t k1; // first off-phase index
    double e;        // input during the on-phase
    double c;        // capacitance, for the current
    double dt;       // time step
    double cr;       // C·R
    double rise;     // (dt·E)/(C·R): the input's share of an on-phase step
};

PeriodPlan MakePeriodPlan(const RunSettings& settings, SwitchingSamples switching);

// Vo(i + 1) from Vo(i) while the input is high: ((dt·E)/(C·R) + Vo(i)) − (dt·Vo(i))/(C·R).
inline double OnStep(const PeriodPlan& p, double vo) { return (p.rise + vo) - (p.dt * vo) / p.cr; }

// Vo(i + 1) from Vo(i) while the input is low: Vo(i) − (dt·Vo(i))/(C·R).
inline double OffStep(const PeriodPlan& p, double vo) { return vo - (p.dt * vo) / p.cr; }

// iC(i) = ((Vo(i + 1) − Vo(i))·C) / dt. Nothing depends on it, so it stays off the chain of
// output samples.
inline double Current(const PeriodPlan& p, double vo, double next) {
    return ((next - vo) * p.c) / p.dt;
}

// Where a period that starts from Vo(1) = start ends: Vo(N), which the wrap carries into Vo(1)
// of the next period. Only Vo(1) crosses from one period to the next, so this is all a
// period that is not the last has to compute; it skips the steps whose results the boundary
// copy or the next period overwrite.
// With a control, the stop is checked, and the step under way published, every
// RunControl::kStepsBetweenChecks steps: a stop throws WorkStopped.
double EndValue(const PeriodPlan& p, double start, RunControl* control = nullptr);

// How many steps EndValue takes.
std::int64_t EndValueSteps(const PeriodPlan& p);

// The three arrays, indices 0 to N + 1.
struct PeriodArrays {
    double* vi;
    double* vo;
    double* ic;
};

// Runs one period in full, writing every sample, from Vo(1) = start. The arrays must hold zeros:
// every period writes the same elements, and apart from Vo(1) it reads only elements it has
// written itself or element 0, so this leaves exactly what the last of many periods leaves.
// A control is checked as in EndValue.
void WritePeriod(const PeriodPlan& p, double start, PeriodArrays arrays,
                 RunControl* control = nullptr);

} // namespace engine
