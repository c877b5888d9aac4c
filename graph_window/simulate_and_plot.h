#pragma once

// The procedure behind the graph: show the graph window, draw the axes, simulate, take the
// statistics and draw the three traces.

#include "app/design_state.h"
#include "engine/simulation.h"
#include "graph_window/graph_window_view.h"

namespace graph_window {

enum class PlotOutcome {
    Drawn,           // traces drawn, the plot records what it was drawn with; DeltaVoVera and
                     // VomVera are current
    OutOfMemory,     // the sample arrays could not be made: ticks and baselines only
    NotRepresentable // the results are not finite numbers: ticks and baselines only
};

// Runs the plan the graph command made from the state. Draws on top of what the plot holds; the
// plot on show is forgotten until the new traces are drawn.
PlotOutcome SimulateAndPlot(GraphWindowView& window, app::DesignState& state,
                            const engine::RunPlan& plan);

} // namespace graph_window
