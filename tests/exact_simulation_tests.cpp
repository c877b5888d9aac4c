// SPDX-License-Identifier: GPL-3.0-or-later
// The exact sampled run of the filter circuits: sample by sample against the state equations
// stepped in long double, the loaded RC against its own closed form, the settled run against
// the continuous steady state, and the plan's refusals.

#include "engine/exact_simulation.h"
#include "engine/run_control.h"
#include "tests/address_space_limit.h"
#include "tests/filter_reference.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <variant>

using namespace engine;
namespace ref = filter_reference;
using filter_reference::Circuits;
using filter_reference::Describe;
using filter_reference::First;
using filter_reference::Second;

namespace {

std::shared_ptr<const SimulatedRun> Run(const ExactRunSettings& settings,
                                        RunControl* control = nullptr) {
    const auto plan = PlanExactRun(settings);
    if (!std::holds_alternative<ExactRunPlan>(plan))
        return nullptr;
    return RunExactSimulation(std::get<ExactRunPlan>(plan), control).run;
}

QString Where(const ExactRunSettings& s) {
    return QString("%1, D %2 N %3 NI %4").arg(Describe(s.circuit)).arg(s.D).arg(s.N).arg(s.NI);
}

} // namespace

class ExactSimulationTest : public QObject {
    Q_OBJECT

private slots:
    void theRunIsTheStateEquationsSampleBySample();
    void aLoadedRcIsAPlainRcOfTheParallelResistance();
    void aSettledRunAgreesWithTheContinuousSteadyState();
    void planRefusesWhatCannotRun();
    void theControlStopsAndFollowsTheRun();
};

void ExactSimulationTest::theRunIsTheStateEquationsSampleBySample() {
    // {N, D, NI}: N·D whole, halfway (18.5 rounds to 18), one on-phase sample, no off-phase, a
    // few periods; stepped in long double from discharged capacitors through all NI periods.
    const double shapes[][3] = {
        {40, 0.3, 1}, {37, 0.5, 4}, {50, 0.02, 2}, {64, 1, 3}, {25, 0.62, 12}};
    for (const FilterCircuit& circuit : Circuits())
        for (const auto& shape : shapes) {
            const ref::Linear l = ref::Of(circuit);
            const double e = 5;
            const double f = ModelOf(circuit)->rate[0] / 0.5; // half a slow time constant
            const ExactRunSettings settings{
                e, shape[1], f, std::int32_t(shape[0]), std::int32_t(shape[2]), circuit};
            const auto run = Run(settings);
            QVERIFY2(run, qPrintable(Where(settings)));
            const std::int32_t n = settings.N, k = std::int32_t(std::nearbyint(n * shape[1]));
            const double dt = TimeStep(f, n);
            const ref::Matrix phi = ref::Exp(l.a, dt);
            ref::State x;
            const auto step = [&](ref::State from, long double u) {
                const long double d1 = from.v1 - l.x1 * u, d2 = from.v2 - l.x2 * u;
                return ref::State{l.x1 * u + phi.a11 * d1 + phi.a12 * d2,
                                  l.x2 * u + phi.a21 * d1 + phi.a22 * d2};
            };
            for (std::int32_t period = 1; period < settings.NI; ++period)
                for (std::int32_t i = 1; i <= n; ++i)
                    x = step(x, i <= k ? e : 0);
            const long double current = e / circuit.R;
            for (std::int32_t i = 1; i <= n + 1; ++i) {
                const ref::State next = step(x, i <= k ? e : 0);
                const QString where = Where(settings) + QString(", sample %1").arg(i);
                QVERIFY2(std::fabs(run->Vo[i] - ref::Output(l, x)) <= 1e-12L * e,
                         qPrintable(where));
                if (i <= n) {
                    QVERIFY2(run->Vi[i] == (i <= k ? e : 0), qPrintable(where));
                    const long double ic = circuit.C * (next.v1 - x.v1) / dt;
                    QVERIFY2(std::fabs(run->iC[i] - ic) <= 1e-10L * current, qPrintable(where));
                }
                x = next;
            }
            QVERIFY(run->Vo[0] == 0 && run->Vi[0] == 0 && run->iC[0] == 0 && run->Vi[n + 1] == 0 &&
                    run->iC[n + 1] == 0);
            QVERIFY(run->N == n && run->NI == settings.NI && run->dt == dt && run->f == f);
            QVERIFY(run->statistics.finite && !run->periodic);
        }
}

void ExactSimulationTest::aLoadedRcIsAPlainRcOfTheParallelResistance() {
    // v(i + 1) = g·u + (v(i) − g·u)·e^(−dt/τ'), τ' = (R∥RL)·C, g = RL/(R + RL), over every
    // sample of every period.
    const double table[][6] = {{1e3, 1e-6, 1e3, 20, 0.5, 300},
                               {1e4, 1e-7, 1e6, 50, 0.25, 17},
                               {2.2e3, 4.7e-7, 330, 33, 0.8, 9}};
    for (const auto& row : table) {
        const double r = row[0], c = row[1], rl = row[2], e = 12, f = 700;
        const ExactRunSettings settings{
            e, row[4], f, std::int32_t(row[3]), std::int32_t(row[5]), First(r, c, rl)};
        const auto run = Run(settings);
        QVERIFY(run);
        const long double g = rl / (r + static_cast<long double>(rl));
        const long double decay = std::exp(-run->dt / (r * g * c));
        const std::int32_t k = std::int32_t(std::nearbyint(settings.N * settings.D));
        long double v = 0;
        for (std::int32_t period = 1; period <= settings.NI; ++period)
            for (std::int32_t i = 1; i <= settings.N; ++i) {
                if (period == settings.NI)
                    QVERIFY2(std::fabs(run->Vo[i] - v) <= 1e-12L * e,
                             qPrintable(Where(settings) + QString(", sample %1").arg(i)));
                const long double target = i <= k ? g * e : 0;
                v = target + (v - target) * decay;
            }
        QVERIFY(std::fabs(run->Vo[settings.N + 1] - v) <= 1e-12L * e);
    }
}

void ExactSimulationTest::aSettledRunAgreesWithTheContinuousSteadyState() {
    // N·D whole, so that the sampled duty is D itself; NI as large as it goes, which costs no
    // more than NI = 1. The first sample is the settled period start; the sampled ripple and
    // mean agree with the continuous ones to three digits.
    for (const FilterCircuit& circuit : Circuits()) {
        const double e = 10, d = 0.3, f = ModelOf(circuit)->rate[0] / 0.2;
        const ExactRunSettings settings{
            e, d, f, 1000, std::numeric_limits<std::int32_t>::max(), circuit};
        const auto run = Run(settings);
        const FilterSteadyState s = *SteadyStateOf(circuit, e, d, f);
        const QString where = Describe(circuit);
        QVERIFY2(std::fabs(run->Vo[1] - s.start.v2 * (circuit.second ? 1 : 0) -
                           s.start.v1 * (circuit.second ? 0 : 1)) <= 1e-12 * e,
                 qPrintable(where));
        QVERIFY2(
            std::fabs(run->statistics.DeltaVoVera / 1000 / s.ripple - 1) < 1e-3,
            qPrintable(
                where +
                QString(": %1 against %2").arg(run->statistics.DeltaVoVera / 1000).arg(s.ripple)));
        QVERIFY2(std::fabs(run->statistics.VomVera / s.mean - 1) < 1e-3, qPrintable(where));
    }
}

void ExactSimulationTest::planRefusesWhatCannotRun() {
    const FilterCircuit good = Second(1e4, 1e-7, 1e5, 1e-8);
    using Answer = std::variant<ExactRunPlan, RunRefusal, InvalidCircuit>;
    struct Case {
        ExactRunSettings settings;
        std::optional<RunRefusal> refusal; // none: InvalidCircuit
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {{10, 0.5, 1e3, 0, 10, good}, RunRefusal::NoSamples},
        {{10, 0.5, 1e3, kMaxSamplesPerPeriod + 1, 10, good}, RunRefusal::TooManySamples},
        {{10, 0.5, 1e3, 100, 0, good}, RunRefusal::NoPeriods},
        {{10, 1.2, 1e3, 100, 10, good}, RunRefusal::DutyOutOfRange},
        {{10, 0.5, 1e3, 1, 10, good}, RunRefusal::NoPulseSample},
        {{10, 0.005, 1e3, 100, 10, good}, RunRefusal::NoPulseSample}, // N·D = 0.5: k = 0
        {{10, 0.001, 0, 100, 10, good}, RunRefusal::NoPulseSample},
        {{10, nan, 1e3, 100, 10, good}, RunRefusal::DutyOutOfRange},
        {{10, 0.5, 0, 100, 10, good}, RunRefusal::NonFiniteTimeStep},
        {{10, 0.5, 1e-310, 100, 10, good}, RunRefusal::NonFiniteTimeStep},
        {{10, 0.5, -5, 100, 10, good}, RunRefusal::NonFiniteTimeStep},
        {{10, 0.5, 1e3, 100, 10, Second(1e4, 0, 1e5, 1e-8)}, std::nullopt},
        {{10, 0.5, 1e3, 100, 10, First(1e4, 1e-7, -1)}, std::nullopt},
    };
    for (const Case& c : cases) {
        const Answer answer = PlanExactRun(c.settings);
        if (c.refusal)
            QVERIFY2(std::holds_alternative<RunRefusal>(answer) &&
                         std::get<RunRefusal>(answer) == *c.refusal,
                     qPrintable(Where(c.settings)));
        else
            QVERIFY2(std::holds_alternative<InvalidCircuit>(answer), qPrintable(Where(c.settings)));
    }
    // A step far longer than every time constant, which the step recurrence would refuse.
    QVERIFY(std::holds_alternative<ExactRunPlan>(PlanExactRun({10, 0.5, 1e-3, 2, 1, good})));
    // The input is high on samples 1 to k: one sample is enough, N·D above 0.5.
    QVERIFY(std::holds_alternative<ExactRunPlan>(PlanExactRun({10, 0.0051, 1e3, 100, 10, good})));
    for (const auto& [d, fewest] : {std::pair{0.5, 2}, {0.3, 2}, {0.005, 101}, {0.7, 1}})
        QCOMPARE(FewestExactSamplesWithPulse(d), std::optional(fewest));
    QCOMPARE(FewestExactSamplesWithPulse(1e-12), std::nullopt);
}

void ExactSimulationTest::theControlStopsAndFollowsTheRun() {
    const ExactRunSettings settings{10, 0.5, 1e3, 3 << 20, 5000, Second(1e4, 1e-7, 1e5, 1e-8)};
    RunControl control;
    QVERIFY(Run(settings, &control));
    QCOMPARE(control.Unit(), std::int64_t{5000});
    QVERIFY(control.Step() >= 2 * RunControl::kStepsBetweenChecks);

    RunControl stopped;
    stopped.RequestStop();
    const RunAnswer answer =
        RunExactSimulation(std::get<ExactRunPlan>(PlanExactRun(settings)), &stopped);
    QVERIFY(answer.outcome == RunOutcome::Stopped && !answer.run && answer.period == 5000);

    if (!AddressSpaceLimit::Available())
        QSKIP("needs an address-space limit and an allocator that throws std::bad_alloc");
    ExactRunSettings widest = settings;
    widest.N = kMaxSamplesPerPeriod;
    const ExactRunPlan plan = std::get<ExactRunPlan>(PlanExactRun(widest));
    RunOutcome outcome = RunOutcome::Completed;
    {
        const AddressSpaceLimit limit(64 << 20);
        QVERIFY(limit.IsSet());
        outcome = RunExactSimulation(plan).outcome;
    }
    QCOMPARE(outcome, RunOutcome::OutOfMemory);
}

VELMARO_TEST(ExactSimulationTest);

#include "exact_simulation_tests.moc"
