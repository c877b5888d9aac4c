// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where an axis's ticks go, linear or logarithmic, apart from any painting: the values at round
// steps of a linear axis, the decades (and the lines between them) of a logarithmic one, and the
// pixel a value of a logarithmic axis lies at. Every chart takes its grid and labels from here.

#include <vector>

namespace plot {

// Round steps for a value axis from low to high with about most of them: 1, 2 or 5 times a power
// of ten; the values at those steps within [low, high], and the step.
struct Ticks {
    std::vector<double> values;
    double step = 0;
};
Ticks TicksOver(double low, double high, int most);

// The decimals that a value at step apart needs: none for whole steps, at most 15.
int DecimalsFor(double step);

// A tick of a logarithmic axis: at times × 10^decade, a decade's own line (times 1) or one of the
// lines between two decades (times 2 … 9), and whether it carries a label.
struct LogTick {
    int decade = 0;
    int times = 1;
    bool labelled = false;
    bool operator==(const LogTick&) const = default;

    // Its place on the axis, in decades: log10 of its value.
    double Position() const;
};

// The ticks of a logarithmic axis from low to high (in decades, log10 of the values) drawn over
// pixels, in increasing order. Every decade within has a tick; while the decades lie closer than
// labelPixels only every second, fifth, tenth, twentieth… decade is labelled (counted from
// decade 0, so a label stays with its decade as the axis moves), and a chart may leave the
// others' lines out too. While a decade is at least
// minorPixels wide, the lines at 2 … 9 times each decade come too, and they are labelled as well
// while fewer than two decades lie within.
std::vector<LogTick> LogTicksOver(double low, double high, double pixels, double labelPixels,
                                  double minorPixels);

// A logarithmic axis over whole decades, from the decade lo at pixel `from` to hi at `to`.
struct LogScale {
    int lo = 0, hi = 1;
    double from = 0, to = 1;

    double At(double value) const;
};

// The whole decades that hold every value of a range (0 < min <= max), at least one.
LogScale DecadesOver(double min, double max);

} // namespace plot
