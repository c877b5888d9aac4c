// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Scegli filtro…" apart from the widgets: the design data the filter chooser takes from the
// main window, and the chooser's "Usa in verifica" into the verification fields.

#include "app/design_state.h"
#include "chooser_window/filter_choice.h"
#include "main_window/main_window_view.h"

#include <optional>

namespace main_window {

// Checks the characters of E, Vom, f and R (and of RL when LoadField holds text), then converts
// and range-tests them in that order with the messages of "Calcola C", storing each in the design
// state; the series and the tolerances come from the part group. Empty after the one message
// of the first failure. "Scegli filtro…" and the chooser's "Calcola" both take the design so.
std::optional<chooser_window::ChooserDesign> RunChooserCommand(app::DesignState& state,
                                                               MainWindowView& view);

// Writes a chosen filter into the verification fields, as "Calcola C" writes them ("0.000E+00"
// with "." whatever the locale, in palette blue): E, f and D = Vom/(E·g) for the filter's divider,
// so that "Grafici" reaches Vom; R and C, then R2 and C2 (emptied for one RC) and RL (emptied
// without a load). Without a pulse train E, f and D stay as they are.
void UseChosenFilter(MainWindowView& view, const chooser_window::ChosenFilter& chosen);

} // namespace main_window
