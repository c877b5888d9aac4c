#pragma once

// The three waveforms, each in a band of its own, repeated over NP periods side by side.

#include "app/design_state.h"
#include "graph_window/plot_geometry.h"

#include <cstdint>
#include <vector>

namespace graph_window {

class PlotPicture;

// Draws samples 1 to N of one trace in each of NP periods, segment by segment from sample i to
// i+1; samples must hold indices 0 to N + 1, as a completed run leaves them. The picture is that
// of drawing every segment, but the work follows the pixels covered: the samples that fall in
// one pixel column are reduced to the ones that decide its pixels. Nothing is drawn for N < 2 or
// NP < 1.
void DrawTrace(PlotPicture& plot, const std::vector<double>& samples, double largest,
               const TraceGeometry& band, std::int32_t N, std::int32_t NP);

// Vi, iC and Vo, in their bands and colours, scaled by the statistics of a completed run.
void DrawTraces(PlotPicture& plot, const app::DesignState& state);

} // namespace graph_window
