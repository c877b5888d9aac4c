// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ticks.h"

#include <algorithm>
#include <cmath>

namespace plot {

Ticks TicksOver(double low, double high, int most) {
    if (!(high > low) || !std::isfinite(high - low) || most < 1)
        return {std::isfinite(low) ? std::vector<double>{low} : std::vector<double>{}, 0};
    const double raw = (high - low) / most;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double step = (normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10) * magnitude;
    Ticks ticks{{}, step};
    const double first = std::ceil(low / step), last = std::floor(high / step);
    // Beyond 2^53 steps from 0 the steps cannot be counted: no labels rather than wrong ones.
    if (!(std::fabs(first) < 0x1p53 && std::fabs(last) < 0x1p53 && last - first < 4 * most))
        return ticks;
    for (double k = first; k <= last; ++k)
        ticks.values.push_back(k == 0 ? 0.0 : k * step);
    return ticks;
}

int DecimalsFor(double step) {
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    const int decimals = int(std::ceil(-std::log10(step) - 1e-9));
    return std::clamp(decimals, 0, 15);
}

double LogTick::Position() const { return decade + std::log10(double(times)); }

std::vector<LogTick> LogTicksOver(double low, double high, double pixels, double labelPixels,
                                  double minorPixels) {
    std::vector<LogTick> ticks;
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high) || !(pixels > 0))
        return ticks;
    const double decadePixels = pixels / (high - low);
    long long every = 1;
    for (int k = 0; decadePixels * double(every) < labelPixels && every < (1LL << 52); ++k)
        every = (k % 3 == 0 ? 2 : k % 3 == 1 ? 5 : 10) * (long long)(std::pow(10, k / 3));
    const bool minor = decadePixels >= minorPixels;
    const double first = std::ceil(low), last = std::floor(high);
    const bool labelMinor = last - first < 1;
    for (double decade = std::floor(low); decade <= last; ++decade) {
        const bool labelledDecade = std::fmod(decade, double(every)) == 0;
        for (int times = 1; times <= (minor ? 9 : 1); ++times) {
            const LogTick tick{int(decade), times, times == 1 ? labelledDecade : labelMinor};
            if (const double at = tick.Position(); at >= low && at <= high)
                ticks.push_back(tick);
        }
    }
    return ticks;
}

double LogScale::At(double value) const {
    return from + (std::log10(value) - lo) / (hi - lo) * (to - from);
}

LogScale DecadesOver(double min, double max) {
    LogScale scale;
    scale.lo = int(std::floor(std::log10(min)));
    scale.hi = int(std::ceil(std::log10(max)));
    if (scale.hi <= scale.lo)
        scale.hi = scale.lo + 1;
    return scale;
}

} // namespace plot
