// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The group "Filtro:" of the graph window: the cut-off frequency, the attenuation of the pulse
// train's fundamental and the resolution in bits of the R and C of the run, beside the real
// circuit's values and following the same rules.

#include "engine/filter_circuit.h"
#include "graph_window/graph_window_view.h"

#include <QString>

#include <optional>

namespace graph_window {

// The figures for the E (V), D, f (Hz) and circuit of a run that drew its plot; a value that
// cannot be represented leaves its label empty. One RC without a load (plainRc) takes the
// program's first closed forms; any other circuit its exact transfer function and steady state.
void ShowFilterFigures(GraphWindowView& window, double E, double D, double f,
                       const engine::FilterCircuit& circuit, bool plainRc);

// Empties the three labels, as a run that fails after blanking leaves nothing of the one before.
void ClearFilterFigures(GraphWindowView& window);

} // namespace graph_window
