// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where everything sits on the plot: its user coordinates and, per trace, the band it is drawn
// in, its colour and how the read-out names it. The drawing, the axes, the scale check and the
// read-out all take their numbers from here. Plain C++.

#include "app/palette.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace graph_window {

// The plot's user coordinates: x from 0 at the left edge to 100 at the right edge, y from 0 at
// the bottom edge to 100 at the top edge.
struct PlotCoordinates {
    double left, top, right, bottom;
};
inline constexpr PlotCoordinates kPlotCoordinates{0, 100, 100, 0};

enum class Trace { None, Vi, Ic, Vo };

struct TraceGeometry {
    Trace trace;
    double lowestPointer; // a pointer at this height or above (down to the next band) selects it
    double baseline;      // height of the zero
    double fullScale;     // height that the largest magnitude takes
    app::Rgb colour;
    const char* label; // before the value in the read-out
    const char* unit;  // after the value
};

// From the top of the plot down: the input voltage, the capacitor current, the output voltage.
inline constexpr TraceGeometry kTraceGeometry[] = {
    {Trace::Vi, 80, 80, 18, app::kRed, "Vi(t) = ", "V"},
    {Trace::Ic, 40, 60, 18, app::kGreen, "iC(t) = ", "A"},
    {Trace::Vo, 0.1, 0.1, 36, app::kBlue, "Vo(t) = ", "V"},
};

// The row of a trace other than None.
inline const TraceGeometry& GeometryOf(Trace trace) {
    for (const TraceGeometry& geometry : kTraceGeometry)
        if (geometry.trace == trace)
            return geometry;
    return kTraceGeometry[2];
}

// The trace a pointer at height y selects; None below the lowest band, where the selection stays
// as it is. The limits are compared in single precision, as the pointer's height comes.
inline Trace TraceAtHeight(float y) {
    for (const TraceGeometry& geometry : kTraceGeometry)
        if (y >= float(geometry.lowestPointer))
            return geometry.trace;
    return Trace::None;
}

// The tick marks and baselines every plot starts with, in the order they are drawn: on the left
// edge from the top down to 5 every 5 (none at the bottom), on the bottom edge every quarter of
// the width, both ends included, in the drawing colour; then the traces' baselines across the
// whole width, each in its trace's colour.
struct AxisLine {
    float x1, y1, x2, y2;
    std::optional<app::Rgb> colour; // none: the drawing colour
};
inline std::vector<AxisLine> AxisLines() {
    const PlotCoordinates& c = kPlotCoordinates;
    constexpr int kRowTickStep = 5, kColumnTickStep = 25;
    constexpr float kRowTickLength = 0.2f, kColumnTickLength = 0.5f;
    std::vector<AxisLine> lines;
    for (int y = int(c.top); y >= int(c.bottom) + kRowTickStep; y -= kRowTickStep)
        lines.push_back({float(c.left), float(y), float(c.left + kRowTickLength), float(y), {}});
    for (int x = int(c.left); x <= int(c.right); x += kColumnTickStep)
        lines.push_back(
            {float(x), float(c.bottom), float(x), float(c.bottom + kColumnTickLength), {}});
    for (const TraceGeometry& band : kTraceGeometry)
        lines.push_back({float(c.left), float(band.baseline), float(c.right), float(band.baseline),
                         band.colour});
    return lines;
}

// The largest magnitudes that scale the traces.
struct TraceScales {
    double ViMax = 0, IcMax = 0, VoMax = 0;

    double Of(Trace trace) const {
        return trace == Trace::Vi ? ViMax : trace == Trace::Ic ? IcMax : VoMax;
    }
    // Finite, and the tallest band's height of them finite too, so that no height a trace is
    // drawn at overflows.
    bool CanScale() const {
        double tallest = 0;
        for (const TraceGeometry& geometry : kTraceGeometry)
            tallest = std::fmax(tallest, geometry.fullScale);
        for (const TraceGeometry& geometry : kTraceGeometry)
            if (!std::isfinite(Of(geometry.trace) * tallest))
                return false;
        return true;
    }
};

// The height at which a sample is drawn: (s*fullScale)/largest + baseline. A trace whose
// largest magnitude is 0 is all zeros and lies on its baseline.
inline float BandHeight(double sample, double largest, const TraceGeometry& band) {
    if (largest == 0)
        return float(band.baseline);
    return float((sample * band.fullScale) / largest + band.baseline);
}

// Where sample i of period j (both from 1) is drawn: (w*(j-1) + (w*i)/N with w = 100/NP, the
// plot's width shared among NP periods.
inline float SampleX(std::int32_t j, std::int32_t i, std::int32_t N, std::int32_t NP) {
    const double periodWidth = (kPlotCoordinates.right - kPlotCoordinates.left) / NP;
    return float(periodWidth * (double(j) - 1) + (periodWidth * i) / N);
}

} // namespace graph_window
