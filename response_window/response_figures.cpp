// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/response_figures.h"

#include "engine/filter_figures.h"
#include "engine/ideal_circuit.h"
#include "engine/settling.h"

#include <algorithm>
#include <cmath>

namespace response_window {

namespace {

// Periods the time axis shows at least, and its length against the settling time.
constexpr double kFewestPeriods = 10;
constexpr double kSettlingShare = 1.5;

// The shortest span: a hundredth of a period, but never so short a share of the axis that the
// columns of a span could no longer be told apart in doubles.
constexpr double kShortestPeriods = 0.01;
constexpr double kShortestShare = 0x1p-40;

} // namespace

double SettlingBand(const ResponseInput& input, double gain, const StepChoice& choice) {
    if (!choice.bits)
        return engine::OnePercentBand(input.E, gain, choice.fromDuty, input.D);
    return std::ldexp(input.E * gain, -(*choice.bits + 1));
}

std::optional<StepFigures> StepFiguresOf(const ResponseInput& input, const StepChoice& choice) {
    const std::optional<engine::StepResponse> response =
        engine::StepResponse::Of(input.circuit, input.E, choice.fromDuty, input.D, input.f);
    const std::optional<double> gain = engine::DcGain(input.circuit);
    if (!response || !gain)
        return std::nullopt;
    const double band = SettlingBand(input, *gain, choice);
    const std::optional<engine::Settling> settling =
        engine::SettlingOf(input.circuit, input.E, choice.fromDuty, input.D, input.f, band);
    const std::optional<engine::modal::DecayingSum> departure =
        engine::MeanDepartureOf(input.circuit, input.E, choice.fromDuty, input.D);
    if (!settling || !departure)
        return std::nullopt;
    const double period = response->Period();
    const double whole = std::max(kSettlingShare * settling->seconds, kFewestPeriods * period);
    if (!std::isfinite(whole))
        return std::nullopt;
    const double shortest =
        std::min(whole, std::max(kShortestPeriods * period, kShortestShare * whole));
    // The ripple as the graph window shows it beside the same circuit.
    const std::optional<double> ripple =
        input.IsPlainRc() ? std::optional(engine::IdealSteadyStateOf(input.E, input.D, input.f,
                                                                     input.circuit.R,
                                                                     input.circuit.C)
                                              .ripple)
                          : engine::SteadyRippleOf(input.circuit, input.E, input.D, input.f);
    return StepFigures{*response, band,     settling->seconds, settling->periods, whole,
                       shortest,  *departure, ripple};
}

BodeFigures BodeFiguresOf(const ResponseInput& input) {
    BodeFigures figures;
    figures.circuit = input.circuit;
    figures.f = input.f;
    figures.order = engine::OrderOf(input.circuit);
    figures.slope = engine::HighFrequencySlopeDbPerDecade(input.circuit);
    if (input.IsPlainRc()) {
        figures.cutoff = engine::CutoffFrequency(input.circuit.R, input.circuit.C);
        figures.attenuation = engine::AttenuationAt(input.f, input.circuit.R, input.circuit.C);
    } else {
        figures.cutoff = engine::CutoffFrequencyOf(input.circuit);
        figures.attenuation = engine::AttenuationOf(input.circuit, input.f);
    }
    if (figures.cutoff && *figures.cutoff > 0 && input.f > 0) {
        const double low = std::log10(std::min(*figures.cutoff, input.f)) - 2;
        const double high = std::log10(std::max(*figures.cutoff, input.f)) + 2;
        if (std::isfinite(low) && std::isfinite(high)) {
            figures.logLow = low;
            figures.decades = high - low;
        }
    }
    return figures;
}

} // namespace response_window
