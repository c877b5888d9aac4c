// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Grafici", apart from the widgets: the verification data and the run settings into the design
// state, the plan of the run, the plot and the results.

#include "app/design_state.h"
#include "engine/exact_simulation.h"
#include "engine/filter_circuit.h"
#include "engine/simulation.h"
#include "main_window/main_window_view.h"

#include <optional>
#include <variant>

namespace main_window {

// The whole command: checks the eight fields and those of the filter that hold text, converts
// and range-tests the five circuit values (capacitance before resistance), reads the three
// counts, takes the second stage and the load and plans the run; then blanks the plot, runs
// SimulateAndPlot under the busy cursor and writes the simulated ripple and mean with the
// figures of the circuit the run used.
// Ends at the first failure after one message. A refusal before the run leaves the graph
// window untouched; a run that fails after blanking leaves neither results nor a reading of
// the run before it.
void RunGraphCommand(app::DesignState& state, MainWindowView& view);

// The circuit the verification fields give: its input and its parts.
struct VerifiedCircuit {
    double E = 0, D = 0, f = 0;    // V, fraction, Hz
    engine::FilterCircuit circuit; // R, C; the second stage and the load when given
    // One RC without a load: the circuit that runs the forward-difference model.
    bool IsPlainRc() const { return !circuit.second && !circuit.RL; }
};

// The checks and conversions of "Grafici" on E, D, f, R and C, then on R2, C2 and RL when they
// hold text, in its order and with its messages, leaving out the run settings: the circuit, or
// nothing after one message.
std::optional<VerifiedCircuit> TakeVerifiedCircuit(app::DesignState& state, MainWindowView& view);

// The run "Grafici" makes: the forward-difference model of one RC, or the exact sampled solution
// of any other circuit.
using GraphPlan = std::variant<engine::RunPlan, engine::ExactRunPlan>;

struct GraphSettings {
    VerifiedCircuit verified;
    GraphPlan plan;
};

// The command up to the plot: the circuit and the plan of its run, or nothing after one message.
std::optional<GraphSettings> TakeGraphSettings(app::DesignState& state, MainWindowView& view);

} // namespace main_window
