#include "engine/period.h"

#include "app/design_state.h"

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

double TimeStep(double f, std::int32_t n) { return (1 / f) / static_cast<double>(n); }

PeriodPlan MakePeriodPlan(const app::DesignState& state, SwitchingSamples switching) {
    PeriodPlan plan{};
    plan.n = state.N;
    plan.k = switching.k;
    plan.k1 = switching.k1;
    plan.e = state.E;
    plan.c = state.C;
    plan.dt = TimeStep(state.f, state.N);
    plan.cr = state.C * state.R;
    plan.rise = (plan.dt * state.E) / plan.cr;
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

} // namespace

double EndValue(const PeriodPlan& p, double start) {
    // No off-phase (k1 = N + 1, so k is N or N − 1): Vo(N) is the on-phase's own sample.
    if (p.k1 > p.n)
        return OnSteps(p, start, p.n - 1);
    // The off-phase starts from the copy of Vo(k), which is the on-phase's last sample but one;
    // with no on-phase it is element 0, never written and so 0. The step from Vo(N) only
    // reaches element N + 1.
    const double copied = p.k == 0 ? 0.0 : OnSteps(p, start, p.k - 1);
    return OffSteps(p, copied, p.n - p.k1);
}

std::int64_t EndValueSteps(const PeriodPlan& p) {
    if (p.k1 > p.n)
        return p.n - 1;
    return (p.k == 0 ? 0 : p.k - 1) + std::int64_t{p.n - p.k1};
}

void WritePeriod(const PeriodPlan& p, double start, PeriodArrays a) {
    a.vo[1] = start;
    double vo = start; // Vo(i), carried in a register rather than read back from the array
    for (std::int32_t i = 1; i <= p.k; ++i) {
        const double next = OnStep(p, vo);
        a.vi[i] = p.e;
        a.vo[i + 1] = next;
        a.ic[i] = Current(p, vo, next);
        vo = next;
    }

    // The off-phase starts from the copied sample, not from the last on-phase step.
    a.vi[p.k1] = a.vi[p.k];
    a.vo[p.k1] = a.vo[p.k];
    a.ic[p.k1] = a.ic[p.k];

    vo = a.vo[p.k1];
    for (std::int32_t i = p.k1; i <= p.n; ++i) {
        const double next = OffStep(p, vo);
        a.vi[i] = 0;
        a.vo[i + 1] = next;
        a.ic[i] = Current(p, vo, next);
        vo = next;
    }

    // The period ends where the next one would start.
    a.vi[1] = a.vi[p.n];
    a.vo[1] = a.vo[p.n];
    a.ic[1] = a.ic[p.n];
}

} // namespace engine
