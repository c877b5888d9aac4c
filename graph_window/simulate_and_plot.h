#pragma once

// The procedure behind the graph: show the graph window, draw the axes, simulate, take the
// statistics and draw the three traces.

#include "app/design_state.h"

class Form2;

enum class PlotOutcome {
    Drawn,           // traces drawn; DeltaVoVera and VomVera are current
    NoMemory,        // the sample arrays could not be made: ticks and baselines only
    NotRepresentable // the results are not finite numbers: ticks and baselines only
};

PlotOutcome SimulateAndPlot(Form2& window, DesignState& state);
