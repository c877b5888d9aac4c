#pragma once

// Extremes, ripple and mean of the simulated period (samples 1 to N of the arrays).

#include "app/design_state.h"

// Each writes its one output from the array as it stands: element 1 as stored, then every
// magnitude of samples 1 to N that is >= (maxima) or <= (VoMin) the running value. N < 1 leaves
// element 1 as stored. They return false, and write nothing, when the array does not hold
// samples 1 to N: absent, or shorter than N + 2 because N has grown since the run.
bool FindViMax(DesignState& state);
bool FindIcMax(DesignState& state);
bool FindVoMax(DesignState& state);
bool FindVoMin(DesignState& state);

// FindVoMax, FindVoMin, FindViMax, FindIcMax, then DeltaVoVera = (VoMax − VoMin)·1000 (mV) and
// VomVera = f·S with S = dt·Vo(i) + S over i = 1 to N (V). Returns false, writing nothing, when
// the arrays do not cover N samples; returns false, with all six written, when any of them is
// not finite (a run on unstable or overflowing values).
bool ComputeStatistics(DesignState& state);
