#include "engine/simulation.h"

#include "engine/orbit.h"
#include "engine/period.h"

#include <cmath>
#include <new>
#include <vector>

namespace {

bool SampleCountFits(std::int32_t n) { return n >= 1 && n <= kMaxSamplesPerPeriod; }

// Gives the memory of an earlier run back before asking for the new arrays.
void DiscardArrays(DesignState& state) {
    std::vector<double>().swap(state.Vo);
    std::vector<double>().swap(state.Vi);
    std::vector<double>().swap(state.iC);
}

// The three arrays, indices 0 to N + 1, all 0, created in the order Vo, Vi, iC.
bool CreateArrays(DesignState& state) {
    const std::size_t size = static_cast<std::size_t>(state.N) + 2;
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

// Vo(1) as period NI begins, from a discharged capacitor at the start of period 1.
double StartOfLastPeriod(const engine::PeriodPlan& plan, std::int32_t periods) {
    const auto end_of_period = [&plan](double start) { return engine::EndValue(plan, start); };
    return engine::Advance(end_of_period, 0.0, std::int64_t{periods} - 1).value;
}

} // namespace

RunRefusal CheckRunSettings(const DesignState& state) {
    if (state.N < 1)
        return RunRefusal::NoSamples;
    if (state.N > kMaxSamplesPerPeriod)
        return RunRefusal::TooManySamples;
    if (state.NI < 1)
        return RunRefusal::NoPeriods;
    if (!engine::FindSwitchingSamples(state.N, state.D))
        return RunRefusal::DutyOutOfRange;
    const double dt = engine::TimeStep(state.f, state.N);
    if (!std::isfinite(dt))
        return RunRefusal::NonFiniteTimeStep;
    if (dt == 0)
        return RunRefusal::ZeroTimeStep;
    // Each step multiplies the distance to the input by 1 − dt/(C·R); beyond 2·R·C that factor
    // falls below −1. Written so that a NaN in R·C is refused too.
    if (!(dt > 0 && dt <= 2 * (state.C * state.R)))
        return RunRefusal::UnstableStep;
    return RunRefusal::None;
}

RunOutcome RunSimulation(DesignState& state) {
    DiscardArrays(state);
    state.dt = 0;
    if (!SampleCountFits(state.N))
        return RunOutcome::NoArrays;
    const auto switching = engine::FindSwitchingSamples(state.N, state.D);
    if (!switching)
        return RunOutcome::DutyOutOfRange;
    if (!CreateArrays(state))
        return RunOutcome::OutOfMemory;

    const engine::PeriodPlan plan = engine::MakePeriodPlan(state, *switching);
    state.dt = plan.dt;
    if (state.NI >= 1) {
        const double start = StartOfLastPeriod(plan, state.NI);
        engine::WritePeriod(plan, start, {state.Vi.data(), state.Vo.data(), state.iC.data()});
    }
    return RunOutcome::Completed;
}
