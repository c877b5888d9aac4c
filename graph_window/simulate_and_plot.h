// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The procedure behind the graph: show the graph window, draw the axes, simulate, take the
// statistics and draw the three traces.

#include "app/long_work.h"
#include "engine/simulation.h"
#include "graph_window/graph_window_view.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace graph_window {

enum class PlotOutcome {
    Drawn,            // traces drawn, the plot holds its run and its statistics
    OutOfMemory,      // the sample arrays could not be made: ticks and baselines only
    NotRepresentable, // the results are not finite numbers: ticks and baselines only
    Stopped,          // the user stopped the run: ticks and baselines only
    Failed,           // the work failed otherwise: ticks and baselines only, failure says why
};

struct PlotEnd {
    PlotOutcome outcome;
    std::int64_t period = 0; // when stopped: the period under way
    QString failure;         // when failed: the message
};

// The tick marks and the baselines (AxisLines), drawn on top of what the plot holds.
void DrawAxes(PlotPicture& plot);

// A run to plot: how it is made (on the worker), and its size, for the progress shown.
struct PlotRun {
    std::function<engine::RunAnswer(engine::RunControl& control)> simulate;
    std::int32_t samples = 0; // N
    std::int64_t periods = 0; // NI
};

// Runs what the graph command planned, NP periods drawn side by side. On this thread it shows
// the window and draws the axes on top of what the plot holds; the plot on show lets go of its
// run at once, and the memory of that run is given back on the worker before the new arrays are
// made. The runner then simulates, takes the statistics and draws the traces on a copy of the
// picture; once drawn, the plot takes that picture and holds the run.
PlotEnd SimulateAndPlot(GraphWindowView& window, const PlotRun& run, std::int32_t NP,
                        app::LongWorkRunner& runner);

} // namespace graph_window
