// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot on show as its view (plot_view.h) makes it. The whole span, not fitted, is the plot's
// own picture, drawn once by the trace drawing; any other span or a fitted one is drawn here from
// the samples the plot holds, on the bands' scales of the view, without running anything again.
// The cursors go on top of either. The same lines can be painted as vectors, for SVG.

#include "app/palette.h"
#include "plot/chart.h"

class QPainter;

namespace graph_window {

class PlotPicture;

using plot::kCursorColour;

// Whether the plot's own picture is the view on show: nothing zoomed, fitted or marked, or no
// plot on show.
bool ShowsOwnPicture(const PlotPicture& plot);

// The view on show, a picture of the plot's size and scale. Per pixel column of a zoomed or
// fitted view, each trace covers the rows of its samples in that column (their extremes, from
// the run's index, so the cost follows the columns, not the samples) and is joined to the next
// sample in the next column holding one; as in the whole view, the last sample of a period is
// not joined to the first of the next.
PlotPicture ViewPicture(const PlotPicture& plot);

// The same view as vector lines on painter, one unit a pixel of the picture: the background, the
// ticks, the baselines, the traces (by the zoomed drawing whatever the span) and the cursors,
// every line through the centres of the pixels the picture lights.
void PaintView(QPainter& painter, const PlotPicture& plot);

} // namespace graph_window
