// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/part_to_buy.h"

#include "engine/ideal_circuit.h"

#include <cmath>

namespace engine {

namespace {

bool HasPart(double exactNanofarads) {
    return exactNanofarads > 0 && std::isfinite(exactNanofarads);
}

} // namespace

std::optional<double> SafeValueAtLeast(Series series, double exactNanofarads,
                                       PartTolerances tolerances) {
    if (!HasPart(exactNanofarads))
        return std::nullopt;
    const double lowCorners = (1 - tolerances.capacitor) * (1 - tolerances.resistor);
    return StandardValueAtLeast(series, exactNanofarads / lowCorners * (1 - kCornerSlack));
}

PartToBuy ChoosePart(const PartDesign& design, Series series, PartTolerances tolerances) {
    PartToBuy part;
    if (!HasPart(design.exactNanofarads))
        return part;
    part.standardNanofarads = StandardValueAtLeast(series, design.exactNanofarads);
    part.safeNanofarads = SafeValueAtLeast(series, design.exactNanofarads, tolerances);
    if (!part.standardNanofarads)
        return part;
    const double lowC = *part.standardNanofarads * 1e-9 * (1 - tolerances.capacitor);
    const double lowR = design.r * (1 - tolerances.resistor);
    const double ripple = IdealSteadyStateOf(design.e, design.d, design.f, lowR, lowC).ripple;
    if (std::isfinite(ripple))
        part.worstRipple = ripple;
    part.worstWithinRipple =
        part.safeNanofarads && *part.standardNanofarads >= *part.safeNanofarads;
    return part;
}

} // namespace engine
