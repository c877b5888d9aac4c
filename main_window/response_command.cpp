// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/response_command.h"

#include "main_window/graph_command.h"

namespace main_window {

void RunResponseCommand(app::DesignState& state, MainWindowView& view) {
    const std::optional<VerifiedCircuit> verified = TakeVerifiedCircuit(state, view);
    if (!verified)
        return;
    view.ShowResponse({verified->E, verified->D, verified->f, verified->circuit});
}

} // namespace main_window
