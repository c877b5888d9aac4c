// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The design of a filter circuit (filter_circuit.h) for a ripple: the exact C, the worst case
// over the parts' tolerances, and the pair of capacitors to buy. The second stage follows C as
// R2 = k·R and C2 = C/k, so that both stages have the same time constant R·C; scaling C (and
// with it C2) then scales every time constant of the circuit, load included, and the settled
// ripple falls monotonically as C grows.

#include "engine/filter_circuit.h"
#include "engine/part_to_buy.h"
#include "engine/standard_series.h"

#include <optional>

namespace engine {

// How a circuit follows from R and the capacitance chosen: R (ohm), the ratio k of the second
// stage (none: first order), the load RL (ohm, none: no load). R, k and RL positive and finite.
struct FilterShape {
    double R = 0;
    std::optional<double> k;
    std::optional<double> RL;
};

// The circuit with C (F) and C2 = C/k.
FilterCircuit CircuitOf(const FilterShape& shape, double c);

// The circuit with the two capacitors given (F): c2 is ignored for the first order.
FilterCircuit CircuitOf(const FilterShape& shape, double c, double c2);

// The C (F) whose settled output ripple at E (V), D and f (Hz) is exactly deltaVo (V), for
// E, f, deltaVo > 0 and D in [0, 1], all finite. Any larger C keeps the ripple below deltaVo.
// 0 when every C does: the ripple never reaches deltaVo (deltaVo >= E·g, its limit as C falls
// to 0, or D = 0 or 1). Empty for inputs out of range and when C is not a normal double. For
// the first order it is ExactCapacitance with R' = R∥RL and E·g.
std::optional<double> ExactCapacitanceOf(const FilterShape& shape, double e, double d, double f,
                                         double deltaVo);

// A relative excess of a ripple over deltaVo that still counts as meeting it: the ripple is
// known to a few ulps (to about an ulp times r2/(r2 − r1) for two stages of nearly equal
// rates), and a ΔVo made the ripple of a series value must find that value. Far below any digit
// shown.
inline constexpr double kRippleSlack = 1e-9;

// The largest settled ripple (V) over the tolerance corners: R and R2 at R·(1 ± tR), C and C2 at
// C·(1 ± tC), RL exact (16 corners for the second order, 4 for the first). Empty when a corner's
// ripple is not representable.
std::optional<double> WorstRippleOf(const FilterCircuit& nominal, PartTolerances tolerances,
                                    double e, double d, double f);

// A pair of capacitors to buy, in F (c2 only for the second order), with its worst-case ripple
// over the tolerance corners (V).
struct CapacitorPair {
    double c = 0;
    std::optional<double> c2;
    double worstRipple = 0;
};

// The safe pair: each value of the series for C from a decade below the exact C upwards, with
// C2 the smallest series value at least C/k, up to the first pair whose worst ripple meets
// deltaVo (within kRippleSlack). Empty when the exact C is 0 (no part to buy) or empty, or when
// no pair within a factor 10^6 of it does.
std::optional<CapacitorPair> SafePairOf(const FilterShape& shape, double e, double d, double f,
                                        double deltaVo, Series series, PartTolerances tolerances);

// The standard pair at nominal: the smallest series values at least the exact C and at least
// the exact C/k, with their worst ripple at the tolerances given. Empty as SafePairOf.
std::optional<CapacitorPair> StandardPairOf(const FilterShape& shape, double e, double d, double f,
                                            double deltaVo, Series series,
                                            PartTolerances tolerances);

} // namespace engine
