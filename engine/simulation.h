// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The period-by-period simulation of the RC integrator driven by the pulse train: whether a run
// can go ahead, and the run itself.

#include "engine/period.h"
#include "engine/period_repeats.h"
#include "engine/range_extremes.h"
#include "engine/statistics.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
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
    NoPulseSample,     // no sample of the period falls in the pulse (HasPulseSample): N·D at
                       // most 1.5, where the input shows no pulse or the output never rises
    NonFiniteTimeStep, // (1/f)/N is infinite or not a number: f is 0, not a number, or so small
                       // that 1/f overflows
    UnstableStep,      // dt is not within (0, 2·R·C]: the step recurrence grows without bound
                       // (also for a negative f, or R·C not a positive number; dt = 0 needs an
                       // infinite f, which no field reading gives)
};

// A run that can go ahead: everything a period needs, how many periods to simulate, and the
// frequency the mean is taken with.
struct RunPlan {
    PeriodPlan period;
    std::int32_t periods; // NI
    double f;             // Hz
};

// Decides, once, whether the settings can be run: computes dt and R·C as the run does,
// allocates nothing.
std::variant<RunPlan, RunRefusal> PlanRun(const RunSettings& settings);

// The smallest N that PlanRun does not refuse as NoPulseSample for the duty cycle d (a fraction);
// empty when it would pass kMaxSamplesPerPeriod.
std::optional<std::int32_t> FewestSamplesWithPulse(double d);

struct RunAnswer;
class RunControl;
struct ExactRunPlan;

// A completed run, never changed once made, so that whoever shows it may keep it for as long as
// it likes while other runs go on: one simulated period, its statistics, where the run became
// periodic, and an index of each trace's extremes for drawing.
class SimulatedRun {
public:
    std::int32_t N = 0;  // samples per period
    std::int32_t NI = 0; // periods simulated
    double dt = 0;       // time step, s
    double f = 0;        // frequency, Hz
    // Indices 0 to N + 1; samples 1 to N hold the last simulated period.
    std::span<const double> Vi, Vo, iC;
    PeriodStatistics statistics;
    // Where the run became periodic: the first period whose start value Vo(1) comes back within
    // the run, s(p + L) = s(p) with p + L <= NI + 1 (s(NI + 1) being the value the last period
    // ends on), and the gap L to its first return. Nothing when no start value comes back.
    std::optional<Periodicity> periodic;
    // The extremes of any index range of Vi, iC and Vo.
    RangeExtremes ViExtremes, IcExtremes, VoExtremes;

    SimulatedRun() = default;
    SimulatedRun(const SimulatedRun&) = delete;
    SimulatedRun& operator=(const SimulatedRun&) = delete;

    // A run of samples made elsewhere (each array of the same size, indices 0 to N + 1), with
    // their statistics and index, as drawing and copying read them. Throws std::bad_alloc.
    static std::shared_ptr<const SimulatedRun> OfSamples(std::span<const double> Vi,
                                                         std::span<const double> Vo,
                                                         std::span<const double> iC, double dt,
                                                         double f);

private:
    friend RunAnswer RunSimulation(const RunPlan& plan, RunControl* control);
    friend RunAnswer RunExactSimulation(const ExactRunPlan& plan, RunControl* control);
    // The three arrays of N + 2 samples, one after the other, uninitialised; false when they do
    // not fit.
    bool Allocate(std::int32_t n);
    // The statistics and the extremes' index of the samples held. A control is checked.
    void Summarise(RunControl* control);

    std::unique_ptr<double[]> storage_;
};

enum class RunOutcome {
    Completed,   // the run holds the last simulated period and its statistics
    OutOfMemory, // the arrays or their index could not be allocated
    Stopped,     // the control asked for a stop
};

struct RunAnswer {
    RunOutcome outcome;
    std::shared_ptr<const SimulatedRun> run; // only when completed
    std::int64_t period = 0;                 // when stopped: the period under way
};

// Simulates plan.periods periods of plan.period.n samples from a discharged capacitor, keeps
// the last one, bit for bit what evaluating every period literally would leave in the arrays,
// and takes its statistics. Fewer than one period leaves the arrays all 0. Periods that would
// repeat an earlier one are not computed. Any plan whose switching samples lie within the
// arrays runs, also one PlanRun would refuse for its time step or its periods; such values only
// give infinities or NaNs (and statistics that are not finite). With a control: the period
// under way is published, and a stop requested ends the run within about 2^20 steps. Never
// throws.
RunAnswer RunSimulation(const RunPlan& plan, RunControl* control = nullptr);

} // namespace engine
