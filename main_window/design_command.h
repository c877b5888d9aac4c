// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Dati Esempio" and "Calcola C", apart from the widgets.

#include "app/design_state.h"
#include "main_window/main_window_view.h"

namespace main_window {

// Writes the example design into the five design fields, and nothing else.
void RunExampleData(MainWindowView& view);

// Checks, converts and range-tests the five design fields, computes D and C, shows C and writes
// the design into the verification fields; ends at the first failure after one message.
void RunDesignCommand(app::DesignState& state, MainWindowView& view);

} // namespace main_window
