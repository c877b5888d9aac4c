#pragma once

// The period-by-period simulation of the RC integrator driven by the pulse train.

#include "app/design_state.h"

#include <cstdint>

// Largest N the engine accepts: three arrays of N + 2 reals (about 960 MB at this limit).
inline constexpr std::int32_t kMaxSamplesPerPeriod = 40'000'000;

// Why a run cannot go ahead, or would give nothing worth drawing. The graph command asks
// before it touches the plot and turns the answer into a message.
enum class RunRefusal {
    None,           // the run can go ahead
    NoSamples,      // N < 1: no period to sample
    TooManySamples, // N > kMaxSamplesPerPeriod: the arrays would not fit in memory
    NoPeriods,      // NI < 1: no period simulated, the arrays would stay all 0
    ZeroTimeStep,   // (1/f)/N comes out as 0: every current would be 0/0
    UnstableStep,   // dt > 2*R*C: the step recurrence grows without bound
};

// Pure: reads E, D, f, R, C, N and NI, allocates nothing.
RunRefusal CheckRunSettings(const DesignState& state);

enum class RunOutcome {
    Completed,   // dt and the three arrays hold the last simulated period
    NoArrays,    // N < 1 or N > kMaxSamplesPerPeriod: nothing run, the arrays are absent
    OutOfMemory, // the arrays could not be allocated: nothing run, the arrays are absent
};

// Simulates NI periods of N samples from a discharged capacitor and leaves the last one in
// Vi, Vo and iC (indices 0 to N+1). Never throws.
RunOutcome RunSimulation(DesignState& state);
