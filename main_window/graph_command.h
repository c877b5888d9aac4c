#pragma once

// "Grafici" up to the plot, apart from the widgets.

#include "app/design_state.h"
#include "main_window/main_window_view.h"

// Checks the eight fields, converts and range-tests the five circuit values (capacitance before
// resistance), reads the three counts and asks the engine whether it can run them. True when the
// plot can go ahead; false, after one message, when the command ends.
bool TakeGraphSettings(DesignState& state, MainWindowView& view);
