// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/period.h"

#include "engine/run_control.h"

#include <algorithm>

#include <cmath>

namespace engine {

std::optional<std::int32_t> CountFromReal(double x) {
    double rounded = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        rounded = 2.0 * std::round(x / 2.0); // exactly halfway: the even neighbour
    // Written so that a NaN fails too.
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<SwitchingSamples> FindSwitchingSamples(std::int32_t n, double d) {
    const double onSamples = static_cast<double>(n) * d;
    const auto k = CountFromReal(onSamples);
    const auto k1 = CountFromReal(onSamples + 1);
    if (!k || !k1)
        return std::nullopt;
    const std::int64_t last = std::int64_t{n} + 1;
    if (*k < 0 || *k > n || *k1 < *k || *k1 > last)
        return std::nullopt;
    return SwitchingSamples{*k, *k1};
}

bool HasPulseSample(std::int32_t n, SwitchingSamples switching) {
    const std::int64_t k = switching.k;
    if (switching.k1 > n) {
        // No off-phase: k is N, or N − 1 with Vi(N) never written and so 0, which the wrap
        // carries into Vi(1).
        const std::int64_t shown = k == n ? k : k - 1;
        return shown >= 1 && n >= 2;
    }
    const std::int64_t lastShown = switching.k1 > k ? k : k - 1;
    return lastShown - 1 >= 1 && k - 1 >= 1;
}

std::optional<std::int32_t> FewestSamplesWhere(double d, std::int32_t most,
                                               bool (*works)(std::int32_t n,
                                                             SwitchingSamples switching)) {
    const auto holds = [d, works](std::int32_t n) {
        const std::optional<SwitchingSamples> switching = FindSwitchingSamples(n, d);
        return switching && works(n, *switching);
    };
    if (most < 1 || !holds(most))
        return std::nullopt;
    std::int32_t low = 1, high = most;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (holds(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

double TimeStep(double f, std::int32_t n) { return (1 / f) / static_cast<double>(n); }

PeriodPlan MakePeriodPlan(const RunSettings& settings, SwitchingSamples switching) {
    PeriodPlan plan{};
    plan.n = settings.N;
    plan.k = switching.k;
    plan.k1 = switching.k1;
    plan.e = settings.E;
    plan.c = settings.C;
    plan.dt = TimeStep(settings.f, settings.N);
    plan.cr = settings.C * settings.R;
    plan.rise = (plan.dt * settings.E) / plan.cr;
    return plan;
}

namespace {

double OnSteps(const PeriodPlan& p, double vo, std::int32_t count) {
    for (std::int32_t step = 0; step < count; ++step)
        vo = OnStep(p, vo);
    return vo;
}

double OffSteps(const PeriodPlan& p, double vo, std::int32_t count) {
    for (std::int32_t step = 0; step < count; ++step)
        vo = OffStep(p, vo);
    return vo;
}

// Calls run(first, last) on consecutive pieces of [first, last] no longer than the steps between
// two checks, checking the stop and publishing the progress (counted from `done`) between them.
// Without a control, one piece. The pieces run the same steps in the same order.
template <class Run>
void InPieces(RunControl* control, std::int64_t done, std::int32_t first, std::int32_t last,
              Run run) {
    if (!control) {
        run(first, last);
        return;
    }
    for (std::int64_t from = first; from <= last; from += RunControl::kStepsBetweenChecks) {
        control->Check();
        control->SetStep(done + (from - first));
        const std::int64_t to = std::min<std::int64_t>(last, from + RunControl::kStepsBetweenChecks - 1);
        run(std::int32_t(from), std::int32_t(to));
    }
    control->Check();
}

double CheckedOnSteps(const PeriodPlan& p, double vo, std::int32_t count, RunControl* control,
                      std::int64_t done) {
    InPieces(control, done, 1, count,
             [&](std::int32_t from, std::int32_t to) { vo = OnSteps(p, vo, to - from + 1); });
    return vo;
}

double CheckedOffSteps(const PeriodPlan& p, double vo, std::int32_t count, RunControl* control,
                       std::int64_t done) {
    InPieces(control, done, 1, count,
             [&](std::int32_t from, std::int32_t to) { vo = OffSteps(p, vo, to - from + 1); });
    return vo;
}

} // namespace

double EndValue(const PeriodPlan& p, double start, RunControl* control) {
    // No off-phase (k1 = N + 1, so k is N or N − 1): Vo(N) is the on-phase's own sample.
    if (p.k1 > p.n)
        return CheckedOnSteps(p, start, p.n - 1, control, 0);
    // The off-phase starts from the copy of Vo(k), which is the on-phase's last sample but one;
    // with no on-phase it is element 0, never written and so 0. The step from Vo(N) only
    // reaches element N + 1.
    const double copied = p.k == 0 ? 0.0 : CheckedOnSteps(p, start, p.k - 1, control, 0);
    return CheckedOffSteps(p, copied, p.n - p.k1, control, p.k);
}

std::int64_t EndValueSteps(const PeriodPlan& p) {
    if (p.k1 > p.n)
        return p.n - 1;
    return (p.k == 0 ? 0 : p.k - 1) + std::int64_t{p.n - p.k1};
}

void WritePeriod(const PeriodPlan& p, double start, PeriodArrays a, RunControl* control) {
    a.vo[1] = start;
    double vo = start; // Vo(i), carried in a register rather than read back from the array
    InPieces(control, 0, 1, p.k, [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i <= to; ++i) {
            const double next = OnStep(p, vo);
            a.vi[i] = p.e;
            a.vo[i + 1] = next;
            a.ic[i] = Current(p, vo, next);
            vo = next;
        }
    });

    // The off-phase starts from the copied sample, not from the last on-phase step.
    a.vi[p.k1] = a.vi[p.k];
    a.vo[p.k1] = a.vo[p.k];
    a.ic[p.k1] = a.ic[p.k];

    vo = a.vo[p.k1];
    InPieces(control, p.k1 - 1, p.k1, p.n, [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i <= to; ++i) {
            const double next = OffStep(p, vo);
            a.vi[i] = 0;
            a.vo[i + 1] = next;
            a.ic[i] = Current(p, vo, next);
            vo = next;
        }
    });

    // The period ends where the next one would start.
    a.vi[1] = a.vi[p.n];
    a.vo[1] = a.vo[p.n];
    a.ic[1] = a.ic[p.n];
}

} // namespace engine
