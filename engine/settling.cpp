// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/settling.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr double kLargestDouble = std::numeric_limits<double>::max();

bool Duty(double d) { return d >= 0 && d <= 1; }

} // namespace

std::optional<modal::DecayingSum> MeanDepartureOf(const FilterCircuit& circuit, double e,
                                                  double d0, double d) {
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (!model || !(e >= 0 && e <= kLargestDouble) || !Duty(d0) || !Duty(d))
        return std::nullopt;
    modal::DecayingSum h;
    h.count = model->order;
    h.gap = model->gap;
    for (int i = 0; i < h.count; ++i) {
        // The step first, then the share: (D0 − D) is exact enough, and E·γi cannot both
        // overflow and matter.
        h.c[i] = (d0 - d) * e * model->output[i];
        h.rate[i] = model->rate[i];
        if (!std::isfinite(h.c[i]))
            return std::nullopt;
    }
    return h;
}

std::optional<Settling> SettlingOf(const FilterCircuit& circuit, double e, double d0, double d,
                                   double f, double band) {
    if (!(f > 0 && f <= kLargestDouble) || !(band >= 0 && band <= kLargestDouble))
        return std::nullopt;
    const std::optional<modal::DecayingSum> h = MeanDepartureOf(circuit, e, d0, d);
    if (!h)
        return std::nullopt;
    if (band == 0 && (h->c[0] != 0 || h->c[1] != 0))
        return std::nullopt; // the exponentials underflow to 0, but never truly reach it
    const std::optional<double> seconds = modal::LastExcursion(*h, band);
    if (!seconds || !std::isfinite(*seconds))
        return std::nullopt;
    double periods = std::ceil(*seconds * f);
    if (*seconds > 0)
        periods = std::max(periods, 1.0); // a time too short for its share of a period to show
    if (!std::isfinite(periods))
        return std::nullopt;
    return Settling{*seconds, periods};
}

double OnePercentBand(double e, double gain, double d0, double d) {
    return std::fabs(d - d0) * e * gain / 100;
}

} // namespace engine
