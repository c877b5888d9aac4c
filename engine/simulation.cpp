// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/simulation.h"

#include "engine/run_control.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace engine {

namespace {

// Zeros the elements of a fresh array that a period never writes but may read (element 0,
// which the off-phase copies when there is no on-phase) or that stay as they are (between the
// on-phase and the first off-phase sample, and element N + 1 of Vi and iC): with these zero,
// every element is what arrays created all zero would hold after the run, without touching the
// others twice.
void ZeroUnwritten(double* x, const PeriodPlan& p) {
    const std::size_t size = std::size_t(p.n) + 2;
    x[0] = 0;
    x[size - 1] = 0;
    for (std::int64_t i = std::int64_t{p.k} + 1; i < p.k1 && i < std::int64_t(size); ++i)
        x[i] = 0;
}

} // namespace

bool SimulatedRun::Allocate(std::int32_t n) {
    const std::size_t size = std::size_t(n) + 2;
    storage_.reset(new (std::nothrow) double[3 * size]);
    if (!storage_)
        return false;
    N = n;
    Vo = {storage_.get(), size};
    Vi = {storage_.get() + size, size};
    iC = {storage_.get() + 2 * size, size};
    return true;
}

void SimulatedRun::Summarise(RunControl* control) {
    FirstLevels levels;
    statistics =
        ComputeStatistics({Vi, Vo, iC}, N, dt, f, control, levels).value_or(PeriodStatistics{});
    ViExtremes = RangeExtremes(Vi, std::move(levels.Vi));
    IcExtremes = RangeExtremes(iC, std::move(levels.iC));
    VoExtremes = RangeExtremes(Vo, std::move(levels.Vo));
}

std::shared_ptr<const SimulatedRun> SimulatedRun::OfSamples(std::span<const double> vi,
                                                            std::span<const double> vo,
                                                            std::span<const double> ic,
                                                            double dt, double f) {
    auto run = std::make_shared<SimulatedRun>();
    if (vi.size() < 2 || vo.size() != vi.size() || ic.size() != vi.size() ||
        !run->Allocate(std::int32_t(vi.size() - 2)))
        throw std::bad_alloc();
    std::copy(vi.begin(), vi.end(), const_cast<double*>(run->Vi.data()));
    std::copy(vo.begin(), vo.end(), const_cast<double*>(run->Vo.data()));
    std::copy(ic.begin(), ic.end(), const_cast<double*>(run->iC.data()));
    run->dt = dt;
    run->f = f;
    run->Summarise(nullptr);
    return run;
}

std::variant<RunPlan, RunRefusal> PlanRun(const RunSettings& settings) {
    if (settings.N < 1)
        return RunRefusal::NoSamples;
    if (settings.N > kMaxSamplesPerPeriod)
        return RunRefusal::TooManySamples;
    if (settings.NI < 1)
        return RunRefusal::NoPeriods;
    const std::optional<SwitchingSamples> switching = FindSwitchingSamples(settings.N, settings.D);
    if (!switching)
        return RunRefusal::DutyOutOfRange;
    if (!HasPulseSample(settings.N, *switching))
        return RunRefusal::NoPulseSample;
    const PeriodPlan period = MakePeriodPlan(settings, *switching);
    if (!std::isfinite(period.dt))
        return RunRefusal::NonFiniteTimeStep;
    // Each step multiplies the distance to the input by 1 − dt/(C·R); beyond 2·R·C that factor
    // falls below −1. Written so that a NaN in R·C is refused too.
    if (!(period.dt > 0 && period.dt <= 2 * period.cr))
        return RunRefusal::UnstableStep;
    return RunPlan{period, settings.NI, settings.f};
}

std::optional<std::int32_t> FewestSamplesWithPulse(double d) {
    return FewestSamplesWhere(d, kMaxSamplesPerPeriod, HasPulseSample);
}

RunAnswer RunSimulation(const RunPlan& plan, RunControl* control) {
    const PeriodPlan& p = plan.period;
    auto run = std::make_shared<SimulatedRun>();
    if (!run->Allocate(p.n))
        return {RunOutcome::OutOfMemory, nullptr};
    const std::size_t size = run->Vo.size();
    double* const vo = run->storage_.get();
    double* const vi = vo + size;
    double* const ic = vi + size;
    run->NI = plan.periods;
    run->dt = p.dt;
    run->f = plan.f;

    std::int64_t period = 1;
    try {
        if (plan.periods < 1) {
            std::fill(vo, vo + 3 * size, 0.0);
        } else {
            for (double* x : {vo, vi, ic})
                ZeroUnwritten(x, p);
            // From a discharged capacitor at the start of period 1 to Vo(1) as period NI begins;
            // that period is written in full and ends on the value its wrap leaves in Vo(1).
            const auto endOfPeriod = [&p, control, &period, last = plan.periods](double start) {
                if (control) {
                    control->Check();
                    control->SetUnit(period);
                }
                period = std::min<std::int64_t>(period + 1, last);
                return EndValue(p, start, control);
            };
            PeriodWalk walk(endOfPeriod, 0.0);
            const double start = walk.Advance(std::int64_t{plan.periods} - 1).value;
            period = plan.periods;
            if (control)
                control->SetUnit(period);
            WritePeriod(p, start, {vi, vo, ic}, control);
            walk.SeeNext(vo[1]);
            run->periodic = walk.Periodic(std::int64_t{plan.periods} + 1);
        }
        run->Summarise(control);
    } catch (const WorkStopped&) {
        return {RunOutcome::Stopped, nullptr, period};
    } catch (const std::bad_alloc&) {
        return {RunOutcome::OutOfMemory, nullptr};
    }
    return {RunOutcome::Completed, std::move(run)};
}

} // namespace engine
