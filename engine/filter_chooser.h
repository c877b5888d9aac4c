// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The filter chooser: for a converter of n bits made of the pulse train and a filter, the
// candidate circuits side by side. Each must keep the ripple within 1 LSB = E·g/2^n at D = 50 %
// (where the ripple is largest) at every tolerance corner; the price is the time it takes, after
// a full-scale step, to come within ½ LSB.

#include "engine/filter_design.h"

#include <array>
#include <optional>
#include <vector>

namespace engine {

struct ChooserInput {
    int bits = 0;             // n, 1 to 24
    double e = 0;             // V
    double f = 0;             // Hz
    double r = 0;             // ohm
    std::optional<double> rl; // ohm, none: no load
    Series series = Series::E12;
    PartTolerances tolerances{};
};

// The ratios k of the second-stage candidates (R2 = k·R, C2 = C/k).
inline constexpr std::array<double, 4> kStageRatios = {1, 3, 10, 30};

// One candidate: "1 (RC)" (k empty) or two stages of ratio k.
struct FilterCandidate {
    std::optional<double> k;
    double r2 = 0;                         // ohm, 0 for one RC
    std::optional<double> c;               // F, the smallest series value that meets 1 LSB
    std::optional<double> c2;              // F, the smallest series value at least C/k
    std::optional<double> worstRipple;     // V, over the tolerance corners at D = 50 %
    std::optional<double> settlingSeconds; // s, to ½ LSB after a full-scale step, at nominal
};

// 1 LSB, E·g/2^n (V), of the candidate with the ratio k (none: one RC), whose gain g with a
// load is RL/(R + k·R + RL); empty for inputs out of range.
std::optional<double> LeastSignificantBit(const ChooserInput& input, std::optional<double> k);

// The five candidates, one RC first, then k = 1, 3, 10, 30. A candidate whose parts cannot be
// found or represented keeps them empty. No candidate at all for inputs out of range: n outside
// 1 to 24, E, f, R or RL not positive and finite, a tolerance outside [0, 1).
std::vector<FilterCandidate> ChooseFilters(const ChooserInput& input);

// A point of the trade-off curve of one candidate as C sweeps continuously (C2 = C/k exactly):
// the worst ripple over the tolerance corners at D = 50 % and the settling at nominal, to set
// against the candidate's LSB.
struct TradeOffPoint {
    double worstRipple = 0;     // V
    double settlingSeconds = 0; // s
};

// k empty: one RC. Empty where a value is not representable or the inputs are out of range.
std::optional<TradeOffPoint> TradeOffAt(const ChooserInput& input, std::optional<double> k,
                                        double c);

} // namespace engine
