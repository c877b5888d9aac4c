// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/filter_group.h"

#include "app/number_text.h"
#include "app/text.h"
#include "engine/filter_figures.h"
#include "engine/ideal_circuit.h"
#include "graph_window/form2_controls.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace graph_window {

void ShowFilterFigures(GraphWindowView& window, double E, double D, double f,
                       const engine::FilterCircuit& circuit, bool plainRc) {
    using app::FormatFinite, app::NumberPattern;
    const double R = circuit.R, C = circuit.C;
    std::optional<double> cutoff, attenuation, bits;
    // The converter's full scale is the output's, E·g: a load divides it.
    const double fullScale = E * engine::DcGain(circuit).value_or(1.0);
    if (plainRc) {
        cutoff = engine::CutoffFrequency(R, C);
        attenuation = engine::AttenuationAt(f, R, C);
        bits = engine::ResolutionBits(fullScale, engine::IdealSteadyStateOf(E, D, f, R, C).ripple);
    } else {
        cutoff = engine::CutoffFrequencyOf(circuit);
        attenuation = engine::AttenuationOf(circuit, f);
        if (const auto ripple = engine::SteadyRippleOf(circuit, E, D, f))
            bits = engine::ResolutionBits(fullScale, *ripple);
    }
    window.SetResultText(kCutoffLabel, FormatFinite(cutoff, NumberPattern::Scientific2));
    window.SetResultText(kAttenuationLabel, FormatFinite(attenuation, NumberPattern::Scientific2));
    window.SetResultText(kResolutionLabel, FormatFinite(bits, NumberPattern::Fixed2));
}

void ClearFilterFigures(GraphWindowView& window) {
    for (const Form2Label label : {kCutoffLabel, kAttenuationLabel, kResolutionLabel})
        window.SetResultText(label, QString());
}

} // namespace graph_window
