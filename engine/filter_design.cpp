// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/filter_design.h"

#include "engine/ideal_circuit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();

bool PositiveFinite(double x) { return x > 0 && x <= kMaxDouble; }

bool ValidShape(const FilterShape& shape) {
    return PositiveFinite(shape.R) && (!shape.k || PositiveFinite(*shape.k)) &&
           (!shape.RL || PositiveFinite(*shape.RL));
}

// The ripple at C, C2 = C/k; empty where the circuit leaves the double range.
std::optional<double> RippleAt(const FilterShape& shape, double c, double e, double d, double f) {
    return SteadyRippleOf(CircuitOf(shape, c), e, d, f);
}

// The C of the second order whose ripple is deltaVo, 0 < deltaVo < E·g, 0 < D < 1: bracketed
// by factors of 4 from C = 1/(f·R), then halved geometrically down to neighbouring doubles.
std::optional<double> SecondOrderCapacitance(const FilterShape& shape, double e, double d, double f,
                                             double deltaVo) {
    // low: a C whose ripple exceeds deltaVo; high: one whose ripple does not.
    const auto exceeds = [&](double c) -> std::optional<bool> {
        const std::optional<double> ripple = RippleAt(shape, c, e, d, f);
        if (!ripple)
            return std::nullopt;
        return *ripple > deltaVo;
    };
    double start = 1 / (f * shape.R);
    if (!PositiveFinite(start))
        return std::nullopt;
    std::optional<bool> above = exceeds(start);
    if (!above)
        return std::nullopt;
    double low = start;
    double high = start;
    for (;;) {
        double& end = *above ? high : low;
        const double next = *above ? end * 4 : end / 4;
        if (!(next <= kMaxDouble && next >= kMinNormal))
            return std::nullopt;
        const std::optional<bool> over = exceeds(next);
        if (!over)
            return std::nullopt;
        if (*over != *above) {
            end = next;
            break;
        }
        (*above ? low : high) = next;
        end = next;
    }
    for (int step = 0; step < 200; ++step) {
        const double middle = std::sqrt(low) * std::sqrt(high);
        if (!(middle > low && middle < high))
            break;
        const std::optional<bool> over = exceeds(middle);
        if (!over)
            return std::nullopt;
        (*over ? low : high) = middle;
    }
    return high;
}

} // namespace

FilterCircuit CircuitOf(const FilterShape& shape, double c) {
    return CircuitOf(shape, c, shape.k ? c / *shape.k : 0.0);
}

FilterCircuit CircuitOf(const FilterShape& shape, double c, double c2) {
    FilterCircuit circuit{shape.R, c, std::nullopt, shape.RL};
    if (shape.k)
        circuit.second = SecondStage{*shape.k * shape.R, c2};
    return circuit;
}

std::optional<double> ExactCapacitanceOf(const FilterShape& shape, double e, double d, double f,
                                         double deltaVo) {
    if (!ValidShape(shape) || !PositiveFinite(e) || !PositiveFinite(f) ||
        !PositiveFinite(deltaVo) || !(d >= 0 && d <= 1))
        return std::nullopt;
    // The gain does not depend on C.
    const std::optional<double> g = DcGain(CircuitOf(shape, 1.0));
    if (!g)
        return std::nullopt;
    const double fullScale = e * *g; // the ripple's limit as C falls to 0
    if (d == 0 || d == 1 || deltaVo >= fullScale)
        return 0.0;
    if (!shape.k) {
        // A plain RC of R' = R∥RL = R·g driven by E·g.
        return ExactCapacitance(fullScale, d * fullScale, f, deltaVo, shape.R * *g);
    }
    const std::optional<double> c = SecondOrderCapacitance(shape, e, d, f, deltaVo);
    if (!c || !(*c >= kMinNormal && *c <= kMaxDouble))
        return std::nullopt;
    return c;
}

std::optional<double> WorstRippleOf(const FilterCircuit& nominal, PartTolerances tolerances,
                                    double e, double d, double f) {
    if (!IsValidCircuit(nominal))
        return std::nullopt;
    const int corners = nominal.second ? 16 : 4;
    double worst = 0;
    for (int corner = 0; corner < corners; ++corner) {
        const auto side = [corner](int bit, double tolerance) {
            return (corner >> bit) & 1 ? 1 + tolerance : 1 - tolerance;
        };
        FilterCircuit circuit = nominal;
        circuit.R *= side(0, tolerances.resistor);
        circuit.C *= side(1, tolerances.capacitor);
        if (circuit.second) {
            circuit.second->R2 *= side(2, tolerances.resistor);
            circuit.second->C2 *= side(3, tolerances.capacitor);
        }
        const std::optional<double> ripple = SteadyRippleOf(circuit, e, d, f);
        if (!ripple)
            return std::nullopt;
        worst = std::max(worst, *ripple);
    }
    return worst;
}

std::optional<CapacitorPair> SafePairOf(const FilterShape& shape, double e, double d, double f,
                                        double deltaVo, Series series, PartTolerances tolerances) {
    const std::optional<double> exact = ExactCapacitanceOf(shape, e, d, f, deltaVo);
    if (!exact || !(*exact > 0))
        return std::nullopt;
    const double limit = *exact * 1e6;
    std::optional<double> c = StandardValueAtLeast(series, *exact / 10);
    while (c && *c <= limit) {
        std::optional<double> c2;
        if (shape.k) {
            c2 = StandardValueAtLeast(series, *c / *shape.k);
            if (!c2)
                return std::nullopt;
        }
        const std::optional<double> worst =
            WorstRippleOf(CircuitOf(shape, *c, c2.value_or(0.0)), tolerances, e, d, f);
        if (worst && *worst <= deltaVo * (1 + kRippleSlack))
            return CapacitorPair{*c, c2, *worst};
        c = StandardValueAbove(series, *c);
    }
    return std::nullopt;
}

std::optional<CapacitorPair> StandardPairOf(const FilterShape& shape, double e, double d, double f,
                                            double deltaVo, Series series,
                                            PartTolerances tolerances) {
    const std::optional<double> exact = ExactCapacitanceOf(shape, e, d, f, deltaVo);
    if (!exact || !(*exact > 0))
        return std::nullopt;
    const std::optional<double> c = StandardValueAtLeast(series, *exact);
    std::optional<double> c2;
    if (shape.k)
        c2 = StandardValueAtLeast(series, *exact / *shape.k);
    if (!c || (shape.k && !c2))
        return std::nullopt;
    const std::optional<double> worst =
        WorstRippleOf(CircuitOf(shape, *c, c2.value_or(0.0)), tolerances, e, d, f);
    if (!worst)
        return std::nullopt;
    return CapacitorPair{*c, c2, *worst};
}

} // namespace engine
