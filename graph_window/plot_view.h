// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the user is looking at on the plot on show, and what is marked on it: the stretch of
// time across the width, whether each band is fitted to its samples there, and two cursors. A
// plain value; the functions below turn one view into the next, the plot staying as it is.
//
// Times along the plot are counted in periods of 1/f from the start of the first drawn period:
// the whole plot is [0, NP], and sample m (from 1) sits at m/N, that is at t = m·dt. They are
// long double so that the last of NP = 2^31 − 1 periods of N = 40,000,000 samples can still be
// told apart sample by sample.

#include "engine/range_extremes.h"
#include "graph_window/plot_geometry.h"
#include "plot/span.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace engine {
class SimulatedRun;
}

namespace graph_window {

struct DrawnPlot;

using plot::AxisSpan, plot::CursorName, plot::SpanLimits;

// The share of the plot's width at which x lies: 0 at the left edge, 1 at the right edge.
inline double ShareOf(float x) {
    const PlotCoordinates& c = kPlotCoordinates;
    return (double(x) - c.left) / (c.right - c.left);
}

// The span on show, in periods.
using TimeSpan = AxisSpan;

struct Cursor {
    std::int64_t sample = 0; // m, 1 … NP·N
    Trace trace = Trace::Vo; // the trace selected when it was placed
    bool operator==(const Cursor&) const = default;
};

struct PlotView {
    std::optional<TimeSpan> zoom; // none: the whole NP periods, as the plot is drawn
    bool fit = false;             // each band scaled to its samples' extremes in the span
    std::optional<Cursor> a, b;
    Trace measured = Trace::None; // the trace selected when the last cursor was placed

    bool operator==(const PlotView&) const = default;

    // The plot as drawn, pixel for pixel: the whole span, not fitted, nothing marked.
    bool IsPlain() const { return !zoom && !fit && !a && !b; }
    // What a new or blanked plot starts with: the whole span, no cursors; the fit stays as the
    // user set it.
    PlotView ForNewPlot() const {
        PlotView view;
        view.fit = fit;
        return view;
    }
};

// ---- The span (plot/span.h) ---------------------------------------------------------------

inline constexpr int kShortestSpanSamples = 10; // the shortest span, in sample steps

// The longest span, NP periods, and the shortest, 10 sample steps (or the whole, if shorter).
SpanLimits LimitsOf(std::int32_t N, std::int32_t NP);

// The span on show: the zoom, or the whole NP periods.
TimeSpan SpanOf(const PlotView& view, std::int32_t NP);

// ---- Samples, scales and cursors ----------------------------------------------------------------

// The sample m (1 … NP·N) nearest to the time at share of the span; 0 when there is none.
std::int64_t NearestSample(TimeSpan span, double share, std::int32_t N, std::int32_t NP);

// The index of the simulated period that sample m holds: ((m − 1) mod N) + 1.
inline std::int32_t IndexOfSample(std::int64_t m, std::int32_t N) {
    return std::int32_t((m - 1) % N) + 1;
}

// The smallest and largest of the samples within the span (m/N in it), as (smallest, largest);
// (0, 0) when it holds none.
std::pair<double, double> ExtremesInSpan(const engine::RangeExtremes& extremes, std::int32_t N,
                                         std::int32_t NP, TimeSpan span);

// How a band turns samples into heights and heights back into values. Not fitted, as the plot
// is drawn: (s·fullScale)/largest + baseline. Fitted: the smallest sample on the baseline, the
// largest fullScale above it, and every sample flat on the baseline when they are all equal.
struct BandScale {
    bool fitted = false;
    double low = 0;   // fitted: the smallest sample
    double range = 0; // not fitted: the largest magnitude; fitted: largest − smallest

    float Height(double sample, const TraceGeometry& band) const;
    double Value(double height, const TraceGeometry& band) const;
};

// The scale of a trace's band in the view of the plot.
BandScale ScaleOf(Trace trace, const DrawnPlot& plot, const PlotView& view);

// The view with cursor A or B on the sample nearest to the time at share, for trace; the view as
// it was when the plot has no sample.
PlotView WithCursor(const PlotView& view, const DrawnPlot& plot, CursorName name, double share,
                    Trace trace);

// The index of a trace's samples in a run.
const engine::RangeExtremes& ExtremesOf(const engine::SimulatedRun& run, Trace trace);

// The sample value of trace at sample m of the plot's run.
double SampleValue(const DrawnPlot& plot, Trace trace, std::int64_t m);

// What CursorLabel shows, with the locale's decimal separator: with A only
// "A: t = 200.00 µs   Vo(t) = 5.04E+00 V"; with both
// "A: t = … µs   B: t = … µs   Δt = … µs   1/Δt = … kHz   ΔVo = … V" (no "1/Δt" part when Δt
// is 0), the difference taken on the trace of the last cursor placed; with B only as with A only;
// empty with no cursor or no plot.
QString CursorText(const std::optional<DrawnPlot>& plot, const PlotView& view);

} // namespace graph_window
