// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/filter_chooser.h"

#include "engine/filter_figures.h"
#include "engine/settling.h"

#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kHalfDuty = 0.5;

bool PositiveFinite(double x) { return x > 0 && x <= kMaxDouble; }

bool ValidInput(const ChooserInput& input) {
    const auto tolerance = [](double t) { return t >= 0 && t < 1; };
    return input.bits >= kFewestBits && input.bits <= kMostBits && PositiveFinite(input.e) &&
           PositiveFinite(input.f) && PositiveFinite(input.r) &&
           (!input.rl || PositiveFinite(*input.rl)) && tolerance(input.tolerances.capacitor) &&
           tolerance(input.tolerances.resistor);
}

FilterShape ShapeOf(const ChooserInput& input, std::optional<double> k) {
    return {input.r, k, input.rl};
}

// Within ±½ LSB, E·g/2^(n + 1), after a full-scale step from 0 to E.
std::optional<double> HalfLsbSettling(const FilterCircuit& circuit, double e, double f, int bits) {
    const std::optional<double> g = DcGain(circuit);
    if (!g)
        return std::nullopt;
    const auto settling = engine::SettlingOf(circuit, e, 0, 1, f, std::ldexp(e * *g, -(bits + 1)));
    return settling ? std::optional(settling->seconds) : std::nullopt;
}

} // namespace

std::optional<double> LeastSignificantBit(const ChooserInput& input, std::optional<double> k) {
    if (!ValidInput(input) || (k && !PositiveFinite(*k)))
        return std::nullopt;
    const std::optional<double> g = DcGain(CircuitOf(ShapeOf(input, k), 1.0));
    if (!g)
        return std::nullopt;
    return std::ldexp(input.e * *g, -input.bits);
}

std::vector<FilterCandidate> ChooseFilters(const ChooserInput& input) {
    if (!ValidInput(input))
        return {};
    std::vector<std::optional<double>> ratios = {std::nullopt};
    ratios.insert(ratios.end(), kStageRatios.begin(), kStageRatios.end());
    std::vector<FilterCandidate> candidates;
    for (const std::optional<double> k : ratios) {
        FilterCandidate candidate;
        candidate.k = k;
        candidate.r2 = k ? *k * input.r : 0.0;
        const FilterShape shape = ShapeOf(input, k);
        const std::optional<double> lsb = LeastSignificantBit(input, k);
        std::optional<CapacitorPair> pair;
        if (lsb)
            pair = SafePairOf(shape, input.e, kHalfDuty, input.f, *lsb, input.series,
                              input.tolerances);
        if (pair) {
            candidate.c = pair->c;
            candidate.c2 = pair->c2;
            candidate.worstRipple = pair->worstRipple;
            candidate.settlingSeconds = HalfLsbSettling(
                CircuitOf(shape, pair->c, pair->c2.value_or(0.0)), input.e, input.f, input.bits);
        }
        candidates.push_back(candidate);
    }
    return candidates;
}

std::optional<TradeOffPoint> TradeOffAt(const ChooserInput& input, std::optional<double> k,
                                        double c) {
    if (!ValidInput(input) || !PositiveFinite(c) || (k && !PositiveFinite(*k)))
        return std::nullopt;
    const FilterCircuit circuit = CircuitOf(ShapeOf(input, k), c);
    const std::optional<double> ripple =
        WorstRippleOf(circuit, input.tolerances, input.e, kHalfDuty, input.f);
    const std::optional<double> settling = HalfLsbSettling(circuit, input.e, input.f, input.bits);
    if (!ripple || !settling)
        return std::nullopt;
    return TradeOffPoint{*ripple, *settling};
}

} // namespace engine
