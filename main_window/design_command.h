#pragma once

// "Dati Esempio" and "Calcola C", apart from the widgets.

#include "app/design_state.h"
#include "main_window/main_window_view.h"

// Writes the example design into the five design fields, and nothing else.
void RunExampleData(MainWindowView& view);

// Checks, converts and range-tests the five design fields, computes D and C, shows C and writes
// the design into the verification fields; ends at the first failure after one message.
void RunDesignCommand(DesignState& state, MainWindowView& view);
