#pragma once

// The period-by-period simulation of the RC integrator driven by the pulse train.

#include "app/design_state.h"

#include <cstdint>

// Largest N the engine accepts. The three arrays of N + 2 reals then take 960 MB, under 1 GiB,
// which an ordinary desktop can give without swapping. The limit is the real guard against
// memory exhaustion: Linux promises memory it may not have, so a larger request would more
// likely end with the process killed while the arrays are being zeroed than with an allocation
// failure the run could report. (Index arithmetic alone would allow up to 2^31 − 2.)
inline constexpr std::int32_t kMaxSamplesPerPeriod = 40'000'000;

// Why a run cannot go ahead, or would give nothing worth drawing. The graph command asks before
// it touches the plot and turns the answer into a message. The checks run in the order listed,
// and the first that fails is the answer: first the counts, which need no arithmetic, then what
// the circuit values make of them.
enum class RunRefusal {
    None,              // the run can go ahead
    NoSamples,         // N < 1: no period to sample
    TooManySamples,    // N > kMaxSamplesPerPeriod: the arrays would not fit in memory
    NoPeriods,         // NI < 1: no period simulated, the arrays would stay all 0
    DutyOutOfRange,    // N·D puts the switching samples outside the arrays (k < 0, k > N or
                       // k1 > N + 1), or D is not a number; never for 0 < D < 1
    NonFiniteTimeStep, // (1/f)/N is infinite or not a number: f is 0, not a number, or so small
                       // that 1/f overflows
    ZeroTimeStep,      // (1/f)/N comes out as 0 (f infinite): every current would be 0/0
    UnstableStep,      // dt is not within (0, 2·R·C]: the step recurrence grows without bound
                       // (also for a negative f, or R·C not a positive number)
};

// Pure: reads E, D, f, R, C, N and NI, computes dt and R·C as the run does, allocates nothing.
// None guarantees that RunSimulation completes unless memory runs out.
RunRefusal CheckRunSettings(const DesignState& state);

enum class RunOutcome {
    Completed,      // dt and the three arrays hold the last simulated period
    NoArrays,       // N < 1 or N > kMaxSamplesPerPeriod: nothing run
    DutyOutOfRange, // N·D puts the switching samples outside the arrays: nothing run
    OutOfMemory,    // the arrays could not be allocated: nothing run
};

// Simulates NI periods of N samples from a discharged capacitor and leaves the last one in Vi,
// Vo and iC (indices 0 to N + 1), bit for bit what evaluating every period literally would
// leave, and sets dt. NI < 1 leaves the arrays all 0. Periods that would repeat an earlier one
// are not computed. A run that does not complete leaves the arrays absent (empty) and dt at 0,
// as before the first run, so nothing of an earlier run survives. Only N and D are refused, when
// the arrays could not hold them; any E, f, R, C and NI are run, those CheckRunSettings turns
// away included, and only give infinities or NaNs. Never throws.
RunOutcome RunSimulation(DesignState& state);
