#include "engine/simulation.h"

#include "engine/period_repeats.h"

#include <cmath>
#include <new>
#include <vector>

namespace engine {

namespace {

// Gives the memory of an earlier run back before asking for the new arrays.
void DiscardArrays(app::DesignState& state) {
    std::vector<double>().swap(state.Vo);
    std::vector<double>().swap(state.Vi);
    std::vector<double>().swap(state.iC);
}

// The three arrays, indices 0 to N + 1, all 0, created in the order Vo, Vi, iC.
bool CreateArrays(app::DesignState& state, std::int32_t n) {
    const std::size_t size = static_cast<std::size_t>(n) + 2;
    try {
        state.Vo.assign(size, 0.0);
        state.Vi.assign(size, 0.0);
        state.iC.assign(size, 0.0);
        return true;
    } catch (const std::bad_alloc&) {
        DiscardArrays(state);
        return false;
    }
}

} // namespace

std::variant<RunPlan, RunRefusal> PlanRun(const app::DesignState& state) {
    if (state.N < 1)
        return RunRefusal::NoSamples;
    if (state.N > kMaxSamplesPerPeriod)
        return RunRefusal::TooManySamples;
    if (state.NI < 1)
        return RunRefusal::NoPeriods;
    const std::optional<SwitchingSamples> switching = FindSwitchingSamples(state.N, state.D);
    if (!switching)
        return RunRefusal::DutyOutOfRange;
    const PeriodPlan period = MakePeriodPlan(state, *switching);
    if (!std::isfinite(period.dt))
        return RunRefusal::NonFiniteTimeStep;
    // Each step multiplies the distance to the input by 1 − dt/(C·R); beyond 2·R·C that factor
    // falls below −1. Written so that a NaN in R·C is refused too.
    if (!(period.dt > 0 && period.dt <= 2 * period.cr))
        return RunRefusal::UnstableStep;
    return RunPlan{period, state.NI};
}

RunResult RunSimulation(app::DesignState& state, const RunPlan& plan) {
    DiscardArrays(state);
    state.dt = 0;
    if (!CreateArrays(state, plan.period.n))
        return {RunOutcome::OutOfMemory, std::nullopt};
    state.dt = plan.period.dt;
    if (plan.periods < 1)
        return {RunOutcome::Completed, std::nullopt};

    // From a discharged capacitor at the start of period 1 to Vo(1) as period NI begins; that
    // period is written in full and ends on the value its wrap leaves in Vo(1).
    const auto endOfPeriod = [&plan](double start) { return EndValue(plan.period, start); };
    PeriodWalk walk(endOfPeriod, 0.0);
    const double start = walk.Advance(std::int64_t{plan.periods} - 1).value;
    WritePeriod(plan.period, start, {state.Vi.data(), state.Vo.data(), state.iC.data()});
    walk.SeeNext(state.Vo[1]);
    return {RunOutcome::Completed, walk.Periodic(std::int64_t{plan.periods} + 1)};
}

} // namespace engine
