#pragma once

// Extremes, ripple and mean of the simulated period (samples 1 to N of the arrays).

#include "app/design_state.h"

namespace engine {

// Each writes its one output from the array as it stands: element 1 as stored, then every
// magnitude of samples 1 to N that is >= (maxima) or <= (VoMin) the running value. N < 1 leaves
// element 1 as stored. They return false, and write nothing, when the array does not hold
// samples 1 to N: absent, or shorter than N + 2 because N has grown since the run.
bool FindViMax(app::DesignState& state);
bool FindIcMax(app::DesignState& state);
bool FindVoMax(app::DesignState& state);
bool FindVoMin(app::DesignState& state);

// FindVoMax, FindVoMin, FindViMax, FindIcMax, then DeltaVoVera = (VoMax − VoMin)·1000 (mV) and
// VomVera = f·S with S = dt·Vo(i) + S over i = 1 to N (V). Returns false at the first array
// that does not cover N samples (the extremes found before it stay written; after a completed
// run this cannot happen), and false, with all six written, when any of them is not finite (a
// run on unstable or overflowing values).
bool ComputeStatistics(app::DesignState& state);

} // namespace engine
