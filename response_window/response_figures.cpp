// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/response_figures.h"

#include "engine/filter_figures.h"

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

double SettlingBand(const engine::StepResponse& response, double e, double gain,
                    std::optional<int> bits) {
    if (!bits)
        return response.OnePercentBand();
    return std::ldexp(e * gain, -(*bits + 1));
}

std::optional<StepFigures> StepFiguresOf(const ResponseInput& input, const StepChoice& choice) {
    const std::optional<engine::StepResponse> response =
        engine::StepResponse::Of(input.circuit, input.E, choice.fromDuty, input.D, input.f);
    const std::optional<double> gain = engine::DcGain(input.circuit);
    if (!response || !gain)
        return std::nullopt;
    const double band = SettlingBand(*response, input.E, *gain, choice.bits);
    // With no step of mean and no converter, nothing moves the mean: it is settled from the start.
    const std::optional<double> settling =
        band > 0 ? response->MovingAverageSettling(band) : std::optional<double>(0.0);
    if (!settling)
        return std::nullopt;
    const double period = response->Period();
    const double whole = std::max(kSettlingShare * *settling, kFewestPeriods * period);
    if (!std::isfinite(whole))
        return std::nullopt;
    const double shortest =
        std::min(whole, std::max(kShortestPeriods * period, kShortestShare * whole));
    return StepFigures{*response, band, *settling, whole, shortest};
}

double SettlingPeriods(const StepFigures& figures) {
    return std::ceil(figures.settling / figures.response.Period());
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
