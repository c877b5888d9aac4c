// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The group "Filtro:" of the graph window: the cut-off frequency, the attenuation of the pulse
// train's fundamental and the resolution in bits of the R and C of the run, beside the real
// circuit's values and following the same rules.

#include "app/design_state.h"
#include "graph_window/graph_window_view.h"

namespace graph_window {

// The figures for the E, D, f, R and C of a run that drew its plot; a value that cannot be
// represented leaves its label empty.
void ShowFilterFigures(GraphWindowView& window, const app::DesignState& state);

// Empties the three labels, as a run that fails after blanking leaves nothing of the one before.
void ClearFilterFigures(GraphWindowView& window);

} // namespace graph_window
