// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/span.h"

#include <algorithm>
#include <cmath>

namespace plot {

std::optional<AxisSpan> Clamped(AxisSpan span, const SpanLimits& limits) {
    long double length = span.length;
    if (!(length >= limits.shortest)) // also a length that is not a number
        length = limits.shortest;
    if (length >= limits.whole)
        return std::nullopt;
    long double start = span.start;
    if (!(start > 0))
        start = 0;
    start = std::min(start, limits.whole - length);
    return AxisSpan{start, length};
}

long double WheelFactor(int angleDelta) {
    return std::pow(kZoomStep, -static_cast<long double>(angleDelta) / kWheelStepAngle);
}

std::optional<AxisSpan> ZoomedAbout(AxisSpan span, double share, long double factor,
                                    const SpanLimits& limits) {
    const long double anchor = span.start + share * span.length;
    const long double length =
        std::clamp(span.length * factor, limits.shortest, std::max(limits.shortest, limits.whole));
    return Clamped({anchor - share * length, length}, limits);
}

std::optional<AxisSpan> Dragged(AxisSpan atPress, double pressShare, double share,
                                const SpanLimits& limits) {
    return Clamped({atPress.start + (static_cast<long double>(pressShare) - share) * atPress.length,
                    atPress.length},
                   limits);
}

std::optional<AxisSpan> Shifted(AxisSpan span, long double share, const SpanLimits& limits) {
    return Clamped({span.start + share * span.length, span.length}, limits);
}

} // namespace plot
