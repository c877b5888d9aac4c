// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The mouse read-out: the pointer's height picks a trace, and its position is turned back into
// the time along the plot and the value, in the trace's units, that the height stands for.

#include "graph_window/graph_window_view.h"
#include "graph_window/plot_geometry.h"
#include "graph_window/plot_picture.h"

#include <QString>

#include <optional>

namespace graph_window {

// The tooltip text for a pointer at (x, y) reading trace on the plot on show, in the view on
// show, such as "t= 5000.00usec ; Vi(t) = 5.00E+00V", with the locale's decimal separator: the
// time is the span's start plus the pointer's share of the span, the value is read on the band's
// scale in the view, fitted or not. Nothing when there is no reading: no trace selected, no plot
// on show, or a time or value that is not finite.
std::optional<QString> ReadoutText(Trace trace, float x, float y,
                                   const std::optional<DrawnPlot>& plot, const PlotView& view = {});

// A pointer movement over the plot: the scale set again, the trace under the pointer selected
// (below the lowest band the selection stays), and its reading in the plot's view made the
// plot's tooltip.
void ReadPointer(GraphWindowView& window, float x, float y);

} // namespace graph_window
