// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sampled run of a filter circuit (filter_circuit.h), solved exactly: beside RunSimulation,
// and answering with the same SimulatedRun, so that drawing, statistics, copies and files take
// it unchanged.
//
// In each period the input is E on samples 1 to k, k = N·D rounded half to even (CountFromReal),
// and 0 on samples k + 1 to N. Over each sample step, dt = (1/f)/N (TimeStep), the state moves
// by the exact solution with that sample's input. The run starts from discharged capacitors;
// the state after NI − 1 periods comes in closed form (the sampled period map is the continuous
// one with on-time k·dt, and its powers are exponentials of its modes), so the cost does not
// grow with NI: only period NI is stepped through, sample by sample.

#include "engine/filter_circuit.h"
#include "engine/simulation.h"

#include <cstdint>
#include <variant>

namespace engine {

struct ExactRunSettings {
    double E = 0, D = 0, f = 0; // V, fraction, Hz
    std::int32_t N = 0, NI = 0; // samples per period, periods
    FilterCircuit circuit;
};

// A run that can go ahead.
struct ExactRunPlan {
    FilterModel model;
    ExactStep step;           // over one sample step
    FilterState start;        // the state as period NI begins
    std::int32_t n = 0;       // samples per period
    std::int32_t k = 0;       // samples with the input high
    std::int32_t periods = 0; // NI
    double e = 0;             // V
    double f = 0;             // Hz
    double dt = 0;            // s
    double c = 0;             // F, for the current
};

// The circuit cannot be run: a value not positive and finite, or rates beyond the double range.
struct InvalidCircuit {};

// Decides whether the settings can be run, with PlanRun's codes where they apply and in its
// order: NoSamples, TooManySamples, NoPeriods, DutyOutOfRange (k outside 0..N, or D not a
// number), NoPulseSample (k = 0: the input is never high), NonFiniteTimeStep; then
// InvalidCircuit. Never UnstableStep: the exact solution is stable at any step. Allocates nothing; the start of period NI is computed here.
std::variant<ExactRunPlan, RunRefusal, InvalidCircuit>
PlanExactRun(const ExactRunSettings& settings);

// The smallest N that PlanExactRun does not refuse as NoPulseSample for the duty cycle d (a
// fraction): N·D above 0.5, so that k is at least 1. Empty beyond kMaxSamplesPerPeriod.
std::optional<std::int32_t> FewestExactSamplesWithPulse(double d);

// Period NI of the run: samples 1 to N are the states at the sample instants of that period
// (sample 1 at its start). Vo is the output (the last capacitor's voltage), Vi the input, and
// iC(i) = C·(v1(i + 1) − v1(i))/dt, the first capacitor's mean current over step i; element 0
// of each is 0, element N + 1 of Vo the state after the last step (of Vi and iC, 0). Then the
// statistics and the extremes' index, as RunSimulation takes them. `periodic` stays empty.
// With a control, the unit published is period NI, and the stop is checked and the step under
// way published every RunControl::kStepsBetweenChecks steps; a stop answers Stopped. Arrays that
// do not fit answer OutOfMemory. Never throws.
RunAnswer RunExactSimulation(const ExactRunPlan& plan, RunControl* control = nullptr);

} // namespace engine
