// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the commands see of the main window: the texts and colours of its fields, the positions
// of its lists, the result labels, the part group, the message box, the busy cursor, the graph
// window, the response window, and who runs long work (a stand-in runs it at once; Form1 on a
// worker behind a progress dialog). Form1 is the real one; a test or a fuzz target can stand in for it, so the commands
// run apart from any widget.

#include "app/long_work.h"
#include "app/palette.h"
#include "engine/part_to_buy.h"
#include "graph_window/graph_window_view.h"
#include "main_window/form1_layout.h"
#include "response_window/response_figures.h"

#include <QString>

namespace main_window {

class MainWindowView : public app::LongWorkRunner {
public:
    virtual QString FieldText(Form1Field field) const = 0;
    virtual void SetFieldText(Form1Field field, const QString& text) = 0;
    virtual void SetFieldColour(Form1Field field, app::Rgb colour) = 0;
    // The position chosen in one of the window's lists (the part group's series and tolerances).
    virtual int ChoiceIndex(Form1Choice list) const = 0;
    virtual void SetChoiceIndex(Form1Choice list, int index) = 0;
    // The caption of a result label: Label25 (C in nF), ExactCLabel.
    virtual void SetResultText(Form1Label label, const QString& text) = 0;
    // The group of the part to buy, for a design "Calcola C" has just accepted: it keeps the
    // design and shows the part for the series and tolerances chosen, now and at each new choice.
    virtual void ShowPartFor(const engine::PartDesign& design) = 0;
    virtual void ShowMessage(const QString& message) = 0;

    // The busy cursor, on while a run and its drawing take.
    virtual void SetBusy(bool busy) = 0;

    // The graph window, created without being shown on the first access and on the first
    // access after the user closed it.
    virtual graph_window::GraphWindowView& GraphWindow() = 0;

    // The response window for a circuit, created on first use and on the first use after the
    // user closed it, computed again and brought forward.
    virtual void ShowResponse(const response_window::ResponseInput& input) = 0;

protected:
    ~MainWindowView() = default;
};

} // namespace main_window
