// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/filter_modes.h"

#include "engine/ideal_circuit.h"

namespace engine::modes {

ModeSet Of(const FilterModel& model, double f) {
    ModeSet set;
    set.count = model.order;
    set.gap = model.gap;
    for (int i = 0; i < set.count; ++i) {
        set.rate[i] = model.rate[i];
        set.gamma[i] = model.output[i];
        set.first[i] = model.first[i];
        set.x[i] = model.rate[i] / f;
    }
    return set;
}

SettledModes Settled(const ModeSet& set, double d) {
    SettledModes settled;
    for (int i = 0; i < set.count; ++i) {
        const IdealSteadyState s = NormalisedSteadyState(set.x[i], d);
        settled.atStart[i] = s.vMin;
        settled.atSwitch[i] = s.vMax;
    }
    return settled;
}

modal::ModalStretch Stretch(const ModeSet& set, const double (&z0)[2], double u) {
    modal::ModalStretch stretch;
    stretch.count = set.count;
    stretch.gap = set.gap;
    stretch.u = u;
    for (int i = 0; i < set.count; ++i) {
        stretch.gamma[i] = set.gamma[i];
        stretch.rate[i] = set.rate[i];
        stretch.z0[i] = z0[i];
    }
    return stretch;
}

FilterState StateOf(const ModeSet& set, const double (&z)[2], double e) {
    if (set.count == 1)
        return {e * (set.gamma[0] * z[0]), 0};
    return {e * (set.first[0] * z[0] + set.first[1] * z[1]),
            e * (set.gamma[0] * z[0] + set.gamma[1] * z[1])};
}

modal::StretchExtremes PeriodExtremes(const ModeSet& set, const double (&zStart)[2],
                                      const double (&zSwitch)[2], double d, double period) {
    const double onTime = d * period;
    const double offTime = period - onTime;
    const modal::ModalStretch on = Stretch(set, zStart, 1);
    const modal::ModalStretch off = Stretch(set, zSwitch, 0);
    modal::StretchExtremes extremes =
        d > 0 ? modal::ExtremesOver(on, 0, onTime, 0) : modal::ExtremesOver(off, 0, offTime, 0);
    if (d > 0 && d < 1) {
        const modal::StretchExtremes second = modal::ExtremesOver(off, 0, offTime, onTime);
        extremes.Include(second.low, second.atLow);
        extremes.Include(second.high, second.atHigh);
    }
    return extremes;
}

} // namespace engine::modes
