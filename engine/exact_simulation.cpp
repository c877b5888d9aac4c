// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact_simulation.h"

#include "engine/filter_modes.h"
#include "engine/run_control.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace engine {

namespace {

// The arrays being written and what every step reads.
struct Writer {
    double* vi;
    double* vo;
    double* ic;
    ExactStep step;
    double cOverDt; // C/dt, for the current
};

// Samples first to last of one phase (input u), from x; the state after the last one. Each step
// writes the input, the output at its start and the current over it, which is C/dt times the
// increment of v1 before it is rounded into v1.
template <int Order>
FilterState Phase(const Writer& w, FilterState x, double u, std::int64_t first, std::int64_t last) {
    const ExactStep& s = w.step;
    if constexpr (Order == 1) {
        const double target = s.x1 * u;
        double v = x.v1;
        for (std::int64_t i = first; i <= last; ++i) {
            const double increment = s.m11 * (v - target);
            w.vi[i] = u;
            w.vo[i] = v;
            w.ic[i] = w.cOverDt * increment;
            v = v + increment;
        }
        return {v, 0};
    } else {
        const double target1 = s.x1 * u;
        const double target2 = s.x2 * u;
        double v1 = x.v1;
        double v2 = x.v2;
        for (std::int64_t i = first; i <= last; ++i) {
            const double d1 = v1 - target1;
            const double d2 = v2 - target2;
            const double increment1 = s.m11 * d1 + s.m12 * d2;
            const double increment2 = s.m21 * d1 + s.m22 * d2;
            w.vi[i] = u;
            w.vo[i] = v2;
            w.ic[i] = w.cOverDt * increment1;
            v1 = v1 + increment1;
            v2 = v2 + increment2;
        }
        return {v1, v2};
    }
}

// Samples 1 to N in pieces no longer than the steps between two checks, checking the stop and
// publishing the step under way between them.
template <int Order>
FilterState WritePeriod(const Writer& w, const ExactRunPlan& plan, RunControl* control) {
    FilterState x = plan.start;
    const std::int64_t n = plan.n;
    const std::int64_t chunk = control ? RunControl::kStepsBetweenChecks : n;
    for (std::int64_t from = 1; from <= n; from += chunk) {
        if (control) {
            control->Check();
            control->SetStep(from - 1);
        }
        const std::int64_t to = std::min(n, from + chunk - 1);
        const std::int64_t onLast = std::min<std::int64_t>(to, plan.k);
        if (from <= onLast)
            x = Phase<Order>(w, x, plan.e, from, onLast);
        const std::int64_t offFirst = std::max<std::int64_t>(from, std::int64_t{plan.k} + 1);
        if (offFirst <= to)
            x = Phase<Order>(w, x, 0.0, offFirst, to);
    }
    if (control)
        control->Check();
    return x;
}

} // namespace

std::variant<ExactRunPlan, RunRefusal, InvalidCircuit>
PlanExactRun(const ExactRunSettings& settings) {
    if (settings.N < 1)
        return RunRefusal::NoSamples;
    if (settings.N > kMaxSamplesPerPeriod)
        return RunRefusal::TooManySamples;
    if (settings.NI < 1)
        return RunRefusal::NoPeriods;
    const std::optional<std::int32_t> k =
        CountFromReal(static_cast<double>(settings.N) * settings.D);
    if (!k || *k < 0 || *k > settings.N)
        return RunRefusal::DutyOutOfRange;
    if (*k == 0)
        return RunRefusal::NoPulseSample;
    const double dt = TimeStep(settings.f, settings.N);
    if (!(std::isfinite(dt) && dt > 0))
        return RunRefusal::NonFiniteTimeStep;
    const std::optional<FilterModel> model = ModelOf(settings.circuit);
    if (!model)
        return InvalidCircuit{};

    ExactRunPlan plan;
    plan.model = *model;
    plan.step = StepOver(*model, dt);
    plan.n = settings.N;
    plan.k = *k;
    plan.periods = settings.NI;
    plan.e = settings.E;
    plan.f = settings.f;
    plan.dt = dt;
    plan.c = settings.circuit.C;

    // The sampled period is the continuous one with the input high for k·dt of N·dt: each mode
    // starts period m + 1 at zs·(1 − e^(−x·m)), zs its settled start at the duty k/N.
    modes::ModeSet set = modes::Of(*model, settings.f);
    const double period = static_cast<double>(settings.N) * dt;
    for (int i = 0; i < set.count; ++i)
        set.x[i] = set.rate[i] * period;
    const modes::SettledModes settled =
        modes::Settled(set, static_cast<double>(*k) / static_cast<double>(settings.N));
    const double before = static_cast<double>(settings.NI) - 1; // periods before period NI
    double z[2] = {0, 0};
    if (before > 0)
        for (int i = 0; i < set.count; ++i)
            z[i] = settled.atStart[i] * -std::expm1(-set.x[i] * before);
    plan.start = modes::StateOf(set, z, settings.E);
    return plan;
}

std::optional<std::int32_t> FewestExactSamplesWithPulse(double d) {
    return FewestSamplesWhere(d, kMaxSamplesPerPeriod, [](std::int32_t, SwitchingSamples switching) {
        return switching.k >= 1;
    });
}

RunAnswer RunExactSimulation(const ExactRunPlan& plan, RunControl* control) {
    auto run = std::make_shared<SimulatedRun>();
    if (!run->Allocate(plan.n))
        return {RunOutcome::OutOfMemory, nullptr};
    const std::size_t size = run->Vo.size();
    double* const vo = run->storage_.get();
    double* const vi = vo + size;
    double* const ic = vi + size;
    run->NI = plan.periods;
    run->dt = plan.dt;
    run->f = plan.f;
    try {
        if (control) {
            control->Check();
            control->SetUnit(plan.periods);
        }
        for (double* x : {vo, vi, ic})
            x[0] = x[size - 1] = 0;
        const Writer writer{vi, vo, ic, plan.step, plan.c / plan.dt};
        const FilterState end = plan.model.order == 2 ? WritePeriod<2>(writer, plan, control)
                                                      : WritePeriod<1>(writer, plan, control);
        vo[size - 1] = OutputOf(plan.model, end);
        run->Summarise(control);
    } catch (const WorkStopped&) {
        return {RunOutcome::Stopped, nullptr, plan.periods};
    } catch (const std::bad_alloc&) {
        return {RunOutcome::OutOfMemory, nullptr};
    }
    return {RunOutcome::Completed, std::move(run)};
}

} // namespace engine
