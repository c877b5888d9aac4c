#pragma once

// Extremes, ripple and mean of the simulated period (samples 1 to N of the arrays).

#include "app/design_state.h"

// Each writes its one output from the array as it stands. They return false, and write
// nothing, when the array does not hold samples 1 to N (absent, or from a run with a smaller N).
bool FindViMax(DesignState& state);
bool FindIcMax(DesignState& state);
bool FindVoMax(DesignState& state);
bool FindVoMin(DesignState& state);

// FindVoMax, FindVoMin, FindViMax, FindIcMax, then DeltaVoVera and VomVera. Returns false when
// the arrays do not cover N samples or when any of the six results is not finite.
bool ComputeStatistics(DesignState& state);
