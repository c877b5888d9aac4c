#pragma once

// The three waveforms, each in a band of its own, repeated over NP periods side by side.

#include "app/control_table.h"
#include "app/design_state.h"

#include <cstdint>
#include <vector>

class PlotArea;

struct TraceBand {
    double baseline;  // height of the zero
    double fullScale; // height that the largest magnitude takes
    QRgb colour;
};

inline constexpr TraceBand kViBand{80, 18, kRed};
inline constexpr TraceBand kIcBand{60, 18, kGreen};
inline constexpr TraceBand kVoBand{0.1, 36, kBlue};

// The height at which a sample is drawn: (s*fullScale)/largest + baseline. A trace whose
// largest magnitude is 0 is all zeros and lies on its baseline.
inline float BandHeight(double sample, double largest, const TraceBand& band) {
    if (largest == 0)
        return float(band.baseline);
    return float((sample * band.fullScale) / largest + band.baseline);
}

// Where sample i of period j (both from 1) is drawn: (100/NP)*(j-1) + ((100/NP)*i)/N.
inline float SampleX(std::int32_t j, std::int32_t i, std::int32_t N, std::int32_t NP) {
    const double periodWidth = 100.0 / NP;
    return float(periodWidth * (double(j) - 1) + (periodWidth * i) / N);
}

// Draws samples 1 to N of one trace in each of NP periods, segment by segment from sample i to
// i+1. The picture is that of drawing every segment, but the work follows the pixels covered:
// the samples that fall in one pixel column are reduced to the ones that decide its pixels.
void DrawTrace(PlotArea& plot, const std::vector<double>& samples, double largest,
               const TraceBand& band, std::int32_t N, std::int32_t NP);

// Vi in red, iC in green, Vo in blue, scaled by the statistics of the state.
void DrawTraces(PlotArea& plot, const DesignState& state);
