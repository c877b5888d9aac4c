// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three waveforms, each in a band of its own, repeated over NP periods side by side.

#include "engine/range_extremes.h"
#include "engine/simulation.h"
#include "graph_window/plot_geometry.h"

#include <cstdint>

namespace graph_window {

class PlotPicture;

// Draws samples 1 to N of one trace (the values its extremes index) in each of NP periods,
// segment by segment from sample i to i+1; samples must hold indices 0 to N + 1, as a completed
// run leaves them. The picture is that
// of drawing every segment, but the work follows the pixels covered: the samples that fall in
// one pixel column are reduced to the ones that decide its pixels. Nothing is drawn for N < 2 or
// NP < 1.
void DrawTrace(PlotPicture& plot, const engine::RangeExtremes& extremes, double largest,
               const TraceGeometry& band, std::int32_t N, std::int32_t NP);

// Vi, iC and Vo of a completed run, in their bands and colours, scaled by its statistics, over NP
// periods.
void DrawTraces(PlotPicture& plot, const engine::SimulatedRun& run, std::int32_t NP);

} // namespace graph_window
