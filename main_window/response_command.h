// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Risposta", apart from the widgets: the circuit of the verification fields, read as "Grafici"
// reads it, shown in the response window.

#include "app/design_state.h"
#include "main_window/main_window_view.h"

namespace main_window {

// Checks and reads E, D, f, R, C, and R2, C2 and RL when they hold text, with the messages and in
// the order of "Grafici", without the run settings; then shows the response window for that
// circuit. Ends after one message at the first fault, the response window untouched.
void RunResponseCommand(app::DesignState& state, MainWindowView& view);

} // namespace main_window
