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
    const PeriodPlan period = MakePeriodPlan(settings, *switching);
    if (!std::isfinite(period.dt))
        return RunRefusal::NonFiniteTimeStep;
    // Each step multiplies the distance to the input by 1 − dt/(C·R); beyond 2·R·C that factor
    // falls below −1. Written so that a NaN in R·C is refused too.
    if (!(period.dt > 0 && period.dt <= 2 * period.cr))
        return RunRefusal::UnstableStep;
    return RunPlan{period, settings.NI, settings.f};
}

RunAnswer RunSimulation(const RunPlan& plan, RunControl* control) {
    const PeriodPlan& p = plan.period;
    const std::size_t size = std::size_t(p.n) + 2;
    auto run = std::make_shared<SimulatedRun>();
    run->storage_.reset(new (std::nothrow) double[3 * size]);
    if (!run->storage_)
        return {RunOutcome::OutOfMemory, nullptr};
    double* const vo = run->storage_.get();
    double* const vi = vo + size;
    double* const ic = vi + size;
    run->N = p.n;
    run->NI = plan.periods;
    run->dt = p.dt;
    run->f = plan.f;
    run->Vo = {vo, size};
    run->Vi = {vi, size};
    run->iC = {ic, size};

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
        const std::optional<PeriodStatistics> statistics =
            ComputeStatistics({run->Vi, run->Vo, run->iC}, p.n, p.dt, plan.f, control);
        run->statistics = statistics.value_or(PeriodStatistics{});
        run->ViExtremes = RangeExtremes(run->Vi);
        if (control)
            control->Check();
        run->IcExtremes = RangeExtremes(run->iC);
        if (control)
            control->Check();
        run->VoExtremes = RangeExtremes(run->Vo);
    } catch (const WorkStopped&) {
        return {RunOutcome::Stopped, nullptr, period};
    } catch (const std::bad_alloc&) {
        return {RunOutcome::OutOfMemory, nullptr};
    }
    return {RunOutcome::Completed, std::move(run)};
}

} // namespace engine
