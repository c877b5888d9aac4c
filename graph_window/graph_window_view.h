// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the graph command and the read-out see of the graph window: showing it, the plot area's
// drawing and tooltip, the result labels and the trace selectors. Form2 is the real one; a test
// or a fuzz target can stand in for it, so that both run apart from any widget.

#include "graph_window/form2_layout.h"
#include "graph_window/plot_geometry.h"
#include "graph_window/plot_picture.h"

#include <QString>

namespace graph_window {

class GraphWindowView {
public:
    // Shows the window, modeless and without an owner, and brings it forward: restored from
    // minimized, raised and activated. An open window stays where it is.
    virtual void ShowWindow() = 0;

    // The plot area's retained drawing.
    virtual PlotPicture& PlotSurface() = 0;
    virtual void SetPlotToolTip(const QString& text) = 0;

    // The text of a result label (one of the figures form2_controls.h names), and the colour of
    // its text.
    virtual void SetResultText(Form2Label label, const QString& text) = 0;
    virtual void SetResultColour(Form2Label label, app::Rgb colour) = 0;

    // The option button of a trace: which one is selected (None before any), and selecting one,
    // which clears the others.
    virtual Trace SelectedTrace() const = 0;
    virtual void SelectTrace(Trace trace) = 0;

protected:
    ~GraphWindowView() = default;
};

} // namespace graph_window
