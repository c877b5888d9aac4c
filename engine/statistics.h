// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Extremes, ripple and mean of the simulated period (samples 1 to N of the arrays).

#include "engine/range_extremes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine {

class RunControl;

// Each gives its one output from the array as it stands: element 1 as stored, then every
// magnitude of samples 1 to N that is >= (maxima) or <= (VoMin) the running value. N < 1 gives
// element 1 as stored. Nothing when the array does not hold samples 1 to N: absent, or shorter
// than N + 2.
std::optional<double> FindViMax(std::span<const double> Vi, std::int32_t N);
std::optional<double> FindIcMax(std::span<const double> iC, std::int32_t N);
std::optional<double> FindVoMax(std::span<const double> Vo, std::int32_t N);
std::optional<double> FindVoMin(std::span<const double> Vo, std::int32_t N);

struct PeriodStatistics {
    double ViMax = 0, IcMax = 0, VoMax = 0, VoMin = 0;
    double DeltaVoVera = 0; // simulated peak-to-peak ripple, mV
    double VomVera = 0;     // simulated mean output, V
    bool finite = false;    // all six are finite numbers
};

// The three arrays of one simulated period, indices 0 to N + 1.
struct PeriodSamples {
    std::span<const double> Vi, Vo, iC;
};

// FindVoMax, FindVoMin, FindViMax and FindIcMax, then DeltaVoVera = (VoMax − VoMin)·1000 (mV)
// and VomVera = f·S with S = dt·Vo(i) + S over i = 1 to N (V): the very bits of those procedures
// run one after the other, in one pass over the samples. Nothing when an array does not cover N
// samples (after a completed run this cannot happen). With a control, the stop is checked every
// RunControl::kStepsBetweenChecks samples (a stop throws WorkStopped).
std::optional<PeriodStatistics> ComputeStatistics(const PeriodSamples& samples, std::int32_t N,
                                                  double dt, double f,
                                                  RunControl* control = nullptr);

// The first level of each array's RangeExtremes, for the arrays of one size.
struct FirstLevels {
    std::vector<RangeExtremes::Extremes> Vi, Vo, iC;
};

// The same, and in the same pass over the samples the first level of each array's
// RangeExtremes over all its elements: the one read of the samples that a run needs after
// writing them. Throws std::bad_alloc when the levels do not fit.
std::optional<PeriodStatistics> ComputeStatistics(const PeriodSamples& samples, std::int32_t N,
                                                  double dt, double f, RunControl* control,
                                                  FirstLevels& levels);

} // namespace engine
