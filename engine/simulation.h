#pragma once

// The period-by-period simulation of the RC integrator driven by the pulse train: whether a run
// can go ahead, and the run itself.

#include "app/design_state.h"
#include "engine/period.h"
#include "engine/period_repeats.h"

#include <cstdint>
#include <optional>
#include <variant>

namespace engine {

// Largest N the engine accepts. The three arrays of N + 2 reals then take 960 MB, under 1 GiB,
// which an ordinary desktop can give without swapping. The limit is the real guard against
// memory exhaustion: Linux promises memory it may not have, so a larger request would more
// likely end with the process killed while the arrays are being zeroed than with an allocation
// failure the run could report. (Index arithmetic alone would allow up to 2^31 − 2.)
inline constexpr std::int32_t kMaxSamplesPerPeriod = 40'000'000;

// Why a run cannot go ahead, or would give nothing worth drawing. The checks run in the order
// listed, and the first that fails is the answer: first the counts, which need no arithmetic,
// then what the circuit values make of them.
enum class RunRefusal {
    NoSamples,         // N < 1: no period to sample
    TooManySamples,    // N > kMaxSamplesPerPeriod: the arrays would not fit in memory
    NoPeriods,         // NI < 1: no period simulated, the arrays would stay all 0
    DutyOutOfRange,    // N·D puts the switching samples outside the arrays (k < 0, k > N or
                       // k1 > N + 1), or D is not a number; never for 0 < D < 1, which the
                       // graph command has made sure of, so it guards the indices only
    NonFiniteTimeStep, // (1/f)/N is infinite or not a number: f is 0, not a number, or so small
                       // that 1/f overflows
    UnstableStep,      // dt is not within (0, 2·R·C]: the step recurrence grows without bound
                       // (also for a negative f, or R·C not a positive number; dt = 0 needs an
                       // infinite f, which no field reading gives)
};

// A run that can go ahead: everything a period needs, and how many periods to simulate.
struct RunPlan {
    PeriodPlan period;
    std::int32_t periods; // NI
};

// Decides, once, whether the settings in the state can be run: reads E, D, f, R, C, N and NI,
// computes dt and R·C as the run does, allocates nothing.
std::variant<RunPlan, RunRefusal> PlanRun(const app::DesignState& state);

enum class RunOutcome {
    Completed,   // dt and the three arrays hold the last simulated period
    OutOfMemory, // the arrays could not be allocated: the arrays are absent and dt is 0
};

struct RunResult {
    RunOutcome outcome;
    // Where the run became periodic: the first period whose start value Vo(1) comes back within
    // the run, s(p + L) = s(p) with p + L <= NI + 1 (s(NI + 1) being the value the last period
    // ends on), and the gap L to its first return. Nothing when no start value comes back.
    std::optional<Periodicity> periodic;
};

// Simulates plan.periods periods of plan.period.n samples from a discharged capacitor and leaves
// the last one in Vi, Vo and iC (indices 0 to N + 1), bit for bit what evaluating every period
// literally would leave, and sets dt. Fewer than one period leaves the arrays all 0. Periods that
// would repeat an earlier one are not computed. The arrays of an earlier run are given back
// first, so nothing of it survives. Any plan whose switching samples lie within the arrays runs,
// also one PlanRun would refuse for its time step or its periods; such values only give
// infinities or NaNs. Never throws.
RunResult RunSimulation(app::DesignState& state, const RunPlan& plan);

} // namespace engine
