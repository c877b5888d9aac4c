// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The procedure behind the graph: show the graph window, draw the axes, simulate, take the
// statistics and draw the three traces.

#include "app/design_state.h"
#include "app/long_work.h"
#include "engine/simulation.h"
#include "graph_window/graph_window_view.h"

#include <cstdint>

namespace graph_window {

enum class PlotOutcome {
    Drawn,            // traces drawn, the plot holds its run; DeltaVoVera and VomVera are current
    OutOfMemory,      // the sample arrays could not be made: ticks and baselines only
    NotRepresentable, // the results are not finite numbers: ticks and baselines only
    Stopped,          // the user stopped the run: ticks and baselines only
};

struct PlotEnd {
    PlotOutcome outcome;
    std::int64_t period = 0; // when stopped: the period under way
};

// The tick marks and the baselines (AxisLines), drawn on top of what the plot holds.
void DrawAxes(PlotPicture& plot);

// Runs the plan the graph command made. On this thread it shows the window and draws the axes on
// top of what the plot holds; the plot on show and the state's arrays are let go at once, and
// the memory of the run they held is given back on the worker before the new arrays are made.
// The runner then simulates, takes the statistics and draws the traces on a copy of the picture;
// once drawn, the plot takes that picture and holds the run, and the state refers to it.
PlotEnd SimulateAndPlot(GraphWindowView& window, app::DesignState& state,
                        const engine::RunPlan& plan, app::LongWorkRunner& runner);

} // namespace graph_window
