// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/filter_group.h"

#include "app/number_text.h"
#include "engine/filter_figures.h"
#include "engine/ideal_circuit.h"

namespace graph_window {

void ShowFilterFigures(GraphWindowView& window, const app::DesignState& state) {
    using app::FormatFinite, app::NumberPattern;
    window.SetResultText("CutoffLabel", FormatFinite(engine::CutoffFrequency(state.R, state.C),
                                                     NumberPattern::Scientific2));
    window.SetResultText(
        "AttenuationLabel",
        FormatFinite(engine::AttenuationAt(state.f, state.R, state.C), NumberPattern::Scientific2));
    const double ripple =
        engine::IdealSteadyStateOf(state.E, state.D, state.f, state.R, state.C).ripple;
    window.SetResultText("ResolutionLabel", FormatFinite(engine::ResolutionBits(state.E, ripple),
                                                         NumberPattern::Fixed2));
}

void ClearFilterFigures(GraphWindowView& window) {
    for (const Form2Label label : {Form2Label("CutoffLabel"), Form2Label("AttenuationLabel"),
                                   Form2Label("ResolutionLabel")})
        window.SetResultText(label, QString());
}

} // namespace graph_window
