// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stretch of a plot's horizontal axis on show, and how the user moves it: every plot that
// measures (the graph window's, the response window's two) zooms, pans and marks its axis with
// these. An axis position is counted from the plot's left end in the plot's own unit (periods,
// seconds, decades of frequency): the whole axis is [0, whole]. Positions are long double so that
// a short span far along a long axis keeps its digits. Plain values and functions.

#include <optional>

namespace plot {

struct AxisSpan {
    long double start = 0;  // from the plot's left end
    long double length = 0; // in the same unit
    bool operator==(const AxisSpan&) const = default;

    // The position at share of the span (0 at its left edge, 1 at its right edge).
    long double At(double share) const { return start + share * length; }
    // The share of the span at which a position lies.
    double ShareOf(long double position) const { return double((position - start) / length); }
};

inline constexpr long double kZoomStep = 1.25L; // a wheel step or a key press
inline constexpr int kWheelStepAngle = 120;     // the angle delta of one wheel step
inline constexpr long double kKeyShare = 0.1L;  // Left and Right move the span by this share

// The longest span, the whole axis, and the shortest the user may zoom to (the whole, if shorter).
struct SpanLimits {
    long double whole = 0, shortest = 0;
};

// The span on show: the zoom, or the whole axis.
inline AxisSpan SpanOr(const std::optional<AxisSpan>& zoom, long double whole) {
    return zoom.value_or(AxisSpan{0, whole});
}

// The span with its length within the limits and itself within [0, whole]; none when it is the
// whole.
std::optional<AxisSpan> Clamped(AxisSpan span, const SpanLimits& limits);

// The factor a wheel turn multiplies the span by: 1/1.25 for every 120 of angle away from the
// user (positive), 1.25 for every 120 towards the user.
long double WheelFactor(int angleDelta);

// The span multiplied by factor about the position at share of the width (0 at the left edge, 1
// at the right edge), which stays at that share unless the limits move it.
std::optional<AxisSpan> ZoomedAbout(AxisSpan span, double share, long double factor,
                                    const SpanLimits& limits);

// Dragged as a map is: the position that was at pressShare when the button went down is at share.
std::optional<AxisSpan> Dragged(AxisSpan atPress, double pressShare, double share,
                                const SpanLimits& limits);

// Moved by a share of its own length, later for a positive share.
std::optional<AxisSpan> Shifted(AxisSpan span, long double share, const SpanLimits& limits);

enum class CursorName { A, B };

// A view of a plot on a continuous axis: the span on show and two cursors, each anywhere on the
// axis (A drawn solid, B dashed).
struct AxisView {
    std::optional<AxisSpan> zoom; // none: the whole axis
    std::optional<long double> a, b;
    bool operator==(const AxisView&) const = default;
};

} // namespace plot
