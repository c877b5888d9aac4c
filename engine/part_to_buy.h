// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The capacitor to buy for a design, checked at the tolerance corners. The ripple of the real
// circuit (ideal_circuit.h) depends on R and C only through R·C and falls as R·C grows, so the
// worst case of a capacitor of tolerance ±tC with a resistor of tolerance ±tR is both at their
// low corners, C·(1 − tC) and R·(1 − tR); and a capacitor keeps the ripple within ΔVo at that
// corner exactly when C·(1 − tC)·(1 − tR) is at least the exact C.

#include "engine/standard_series.h"

#include <optional>

namespace engine {

struct PartTolerances {
    double capacitor; // as a fraction, 0.1 for ±10 %; in [0, 1)
    double resistor;  // the same for R
};

// An accepted design: E, D, f, ΔVo and R in SI units (E, f, ΔVo, R > 0, D in (0, 1]), with its
// exact C (ExactCapacitance) in nF. There is no part to buy unless that C is positive and finite:
// it is 0 when every capacitance keeps the ripple within ΔVo.
struct PartDesign {
    double e;
    double d;
    double f;
    double deltaVo;
    double r;
    double exactNanofarads;
    // The filter beyond one RC (filter_design.h): the ratio k of a second stage, the load RL
    // (ohm). Neither: the one RC of ChoosePart.
    std::optional<double> k = std::nullopt;
    std::optional<double> rl = std::nullopt;
};

struct PartToBuy {
    // nF: the smallest value of the series at least the exact C.
    std::optional<double> standardNanofarads;
    // V: the real circuit's ripple with that part and R both at their low corners.
    std::optional<double> worstRipple;
    // Whether that ripple stays within ΔVo: whether the standard part is at least the safe one.
    bool worstWithinRipple = false;
    // nF: SafeValueAtLeast.
    std::optional<double> safeNanofarads;
};

// A relative shortfall of the low corner below the exact C that still counts as meeting ΔVo:
// the exact C is known to a few ulps only, so a series value whose corner lands on it exactly
// must not fall to the next value by a rounding. The ripple it lets through exceeds ΔVo by at
// most the same fraction, far below any digit shown.
inline constexpr double kCornerSlack = 1e-12;

// The smallest value of the series whose low corner, with R's, keeps the ripple within ΔVo: the
// smallest value at least exactNanofarads / ((1 − tC)·(1 − tR)), less kCornerSlack. Empty
// unless exactNanofarads is positive and finite, and when that value overflows.
std::optional<double> SafeValueAtLeast(Series series, double exactNanofarads,
                                       PartTolerances tolerances);

// The part to buy in the series and its worst case; everything empty when the design has no part
// to buy, and each value empty when it cannot be represented.
PartToBuy ChoosePart(const PartDesign& design, Series series, PartTolerances tolerances);

} // namespace engine
