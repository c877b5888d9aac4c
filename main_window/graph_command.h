// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Grafici", apart from the widgets: the verification data and the run settings into the design
// state, the plan of the run, the plot and the results.

#include "app/design_state.h"
#include "engine/simulation.h"
#include "main_window/main_window_view.h"

#include <optional>

namespace main_window {

// The whole command: checks the eight fields, converts and range-tests the five circuit values
// (capacitance before resistance), reads the three counts and plans the run; then blanks the
// plot, runs SimulateAndPlot under the wait cursor and writes the simulated ripple and mean.
// Ends at the first failure after one message. A refusal before the run leaves the graph
// window untouched; a run that fails after blanking leaves neither results nor a reading of
// the run before it.
void RunGraphCommand(app::DesignState& state, MainWindowView& view);

// The command up to the plot: the plan of the run, or nothing after one message.
std::optional<engine::RunPlan> TakeGraphSettings(app::DesignState& state, MainWindowView& view);

} // namespace main_window
