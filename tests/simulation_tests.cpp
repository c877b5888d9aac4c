// SPDX-License-Identifier: GPL-3.0-or-later
// The simulation: the tabulated period, the switching corner cases, bit-for-bit agreement with
// the literal evaluation over many designs, the skipping of repeating periods, and survival of
// every setting the run refuses.

#include "engine/period.h"
#include "engine/period_repeats.h"
#include "engine/simulation.h"
#include "engine/statistics.h"
#include "tests/address_space_limit.h"
#include "tests/engine_test_support.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <unordered_map>

using namespace engine;
using namespace engine_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinCount = std::numeric_limits<std::int32_t>::min();

// The refusal PlanRun gives, as a number; kPlanned when it gives a plan.
constexpr int kPlanned = -1;
int RefusalOf(const SimulatedState& s) {
    const auto plan = PlanRun(s);
    const RunRefusal* refusal = std::get_if<RunRefusal>(&plan);
    return refusal ? int(*refusal) : kPlanned;
}

// Runs the engine, which must complete and agree bit for bit with the literal evaluation.
#define VERIFY_MATCHES_LITERAL(design, result)                                                     \
    do {                                                                                           \
        result = (design);                                                                         \
        QCOMPARE(Simulate(result), RunOutcome::Completed);                                         \
        const QString difference = RunDifference(result, LiteralRun(design));                      \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                    \
    } while (false)

// Designs drawn from a fixed seed, with the bits of each drawn value fixed by this file alone.
class DesignSource {
public:
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(random_() >> 11) * 0x1.0p-53;
    }
    std::int32_t LogCount(double low, double high) {
        return static_cast<std::int32_t>(std::exp(Uniform(std::log(low), std::log(high))));
    }

    // A capacitance that makes dt/(R·C) about `ratio`.
    static double CapacitanceFor(const SimulatedState& s, double ratio) {
        return (1 / s.f) / s.N / (ratio * s.R);
    }

    SimulatedState Draw(int kind) {
        SimulatedState s = Design(Uniform(0.1, 50), Uniform(0.01, 0.99), Uniform(10, 1e5),
                               Uniform(10, 1e5), 0, LogCount(1, 3000), PeriodCount());
        double ratio = std::exp(Uniform(std::log(1e-4), std::log(2)));
        switch (kind) {
        case 0: // anything
            break;
        case 1: // N·D at, or one ulp of D around, a point halfway between two integers
            s.D = NearHalfway(s.N);
            break;
        case 2: // D close to 1: k = N, and often k1 = N + 1
            s.D = 1 - Uniform(0, 0.75) / s.N;
            if (!(s.D < 1))
                s.D = std::nextafter(1.0, 0.0);
            break;
        case 3: // stiff: dt beyond R·C, the samples alternate around the input
            ratio = Uniform(1, 2);
            break;
        case 4: // few samples and many periods, where the periods fall into short cycles
            s.N = LogCount(1, 10);
            s.NI = LogCount(1, 6000);
            ratio = Uniform(1.2, 2);
            break;
        }
        s.C = CapacitanceFor(s, ratio);
        return s;
    }

private:
    std::int32_t PeriodCount() {
        if (Uniform(0, 1) < 0.1)
            return static_cast<std::int32_t>(std::floor(Uniform(-1, 3))); // -1, 0, 1 or 2
        return LogCount(1, 3000);
    }

    double NearHalfway(std::int32_t n) {
        const auto m = static_cast<std::int32_t>(Uniform(0, n));
        const double d = (m + 0.5) / n;
        const double pick = Uniform(0, 3);
        if (pick < 1)
            return std::nextafter(d, 0.0);
        if (pick < 2)
            return std::nextafter(d, 1.0);
        return d;
    }

    std::mt19937_64 random_{20'240'611};
};

// Where recorded start values s(1), s(2), ... first repeat, by looking: the first value met a
// second time is the first of the cycle.
std::optional<Periodicity> FirstRepeat(const std::vector<double>& starts) {
    std::unordered_map<std::uint64_t, std::int64_t> firstSeen;
    for (std::size_t n = 0; n < starts.size(); ++n) {
        const auto [at, added] =
            firstSeen.emplace(std::bit_cast<std::uint64_t>(starts[n]), std::int64_t(n) + 1);
        if (!added)
            return Periodicity{at->second, std::int64_t(n) + 1 - at->second};
    }
    return std::nullopt;
}

QString Describe(const std::optional<Periodicity>& periodic) {
    return periodic ? QString("from %1, cycle %2").arg(periodic->firstPeriod).arg(periodic->cycle)
                    : QString("not periodic");
}

// Counts how often the drawn designs reach each switching case, no period at all and a cycle
// longer than one period, so that the randomized test notices if its designs stop covering them.
struct Coverage {
    int noOnPhase = 0, singleOnSample = 0, gap = 0, noOffPhase = 0, selfCopy = 0;
    int noPeriods = 0, cycles = 0, periodic = 0;

    void Add(const SimulatedState& s) {
        const auto sw = engine::FindSwitchingSamples(s.N, s.D);
        noOnPhase += sw->k == 0;
        singleOnSample += sw->k == 1;
        gap += sw->k1 == sw->k + 2;
        noOffPhase += sw->k1 == s.N + 1;
        selfCopy += sw->k1 == sw->k;
        noPeriods += s.NI < 1;
        const auto plan = MakePeriodPlan(s, *sw);
        const auto endOfPeriod = [&plan](double v) { return engine::EndValue(plan, v); };
        cycles += engine::Advance(endOfPeriod, 0.0, s.NI - 1).cycle > 1;
    }
};

} // namespace

class SimulationTest : public QObject {
    Q_OBJECT

private slots:
    void tabulatedPeriod();
    void switchingCases();
    void noPeriodsLeaveZeros();
    void secondRunLeavesNoTrace();
    void matchesLiteralEvaluation();
    void cyclesAreSkippedExactly();
    void advanceFindsEveryPhase();
    void advanceKeepsSignedZeros();
    void periodicityOfSyntheticMaps();
    void reportsWhereTheRunBecamePeriodic_data();
    void reportsWhereTheRunBecamePeriodic();
    void refusedSettingsGiveNoPlan();
    void aRunWithNoSampleInThePulseIsRefused();
    void oddValuesRunWithoutFault();
    void outOfMemoryIsReported();
    void planRun_data();
    void planRun();
};

void SimulationTest::tabulatedPeriod() {
    SimulatedState s;
    VERIFY_MATCHES_LITERAL(TabulatedDesign(), s);
    QVERIFY(SameBits(s.dt, (1.0 / 1000) / 10));

    const double vi[] = {0, 10, 10, 0, 0, 0, 0, 0, 0, 0};
    const double vo[] = {1.772923, 2.595631, 3.336068, 3.336068, 3.002461,
                         2.702215, 2.431993, 2.188794, 1.969915, 1.772923};
    const double ic[] = {-0.001772923, 0.007404369,  0.006663932,  -0.003336068, -0.003002461,
                         -0.002702215, -0.002431993, -0.002188794, -0.001969915, -0.001772923};
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(s.Vi[i], vi[i - 1]);
        QVERIFY2(std::fabs(s.Vo[i] - vo[i - 1]) < 0.5e-6, qPrintable(QString::number(i)));
        QVERIFY2(std::fabs(s.iC[i] - ic[i - 1]) < 0.5e-9, qPrintable(QString::number(i)));
    }
    QVERIFY(std::fabs(s.Vo[11] - 1.595631) < 0.5e-6);
    QVERIFY(SameBits(s.Vi[0], 0) && SameBits(s.Vo[0], 0) && SameBits(s.iC[0], 0));
}

void SimulationTest::switchingCases() {
    SimulatedState s;

    // N·D = 0.4, k = 0: no on-phase, the copy takes element 0, and nothing ever moves.
    VERIFY_MATCHES_LITERAL(Design(10, 0.04, 1000, 1000, 1e-6, 10, 50), s);
    for (int i = 0; i <= 11; ++i)
        QVERIFY(s.Vi[i] == 0 && s.Vo[i] == 0 && s.iC[i] == 0);

    // k = 1: the single high sample is overwritten by the wrap.
    VERIFY_MATCHES_LITERAL(Design(10, 0.1, 1000, 1000, 1e-6, 10, 50), s);
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(s.Vi[i], 0.0);

    // N·D = 2.5: k = 2, k1 = 4; sample 3 is only the on-phase step's Vo(3).
    VERIFY_MATCHES_LITERAL(Design(10, 0.25, 1000, 1000, 1e-6, 10, 50), s);
    QVERIFY(SameBits(s.Vi[3], 0) && SameBits(s.iC[3], 0));
    QVERIFY(s.Vo[3] > s.Vo[2]);
    QVERIFY(SameBits(s.Vo[4], s.Vo[2]));

    // k = 10, k1 = 11 = N + 1: no off-phase, the copy writes element N + 1.
    VERIFY_MATCHES_LITERAL(Design(10, 0.96, 1000, 1000, 1e-6, 10, 50), s);
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(s.Vi[i], 10.0);
    QCOMPARE(s.Vi[11], 10.0);
    QVERIFY(SameBits(s.Vo[11], s.Vo[10]) && SameBits(s.iC[11], s.iC[10]));

    // N·D = 3.5: k = k1 = 4, the copy is onto itself and the off-phase is sample 4 alone.
    VERIFY_MATCHES_LITERAL(Design(10, 0.875, 1000, 1000, 1e-6, 4, 50), s);
    QCOMPARE(s.Vi[4], 0.0);
    QVERIFY(s.Vo[5] < s.Vo[4]);

    // N = 1, with and without an on-phase.
    VERIFY_MATCHES_LITERAL(Design(10, 0.7, 1000, 1000, 1e-4, 1, 50), s);
    VERIFY_MATCHES_LITERAL(Design(10, 0.5, 1000, 1000, 1e-4, 1, 50), s);
}

void SimulationTest::noPeriodsLeaveZeros() {
    for (const std::int32_t periods : {0, -1, kMinCount}) {
        SimulatedState s = TabulatedDesign();
        s.NI = periods;
        QCOMPARE(Simulate(s), RunOutcome::Completed);
        QVERIFY(SameBits(s.dt, (1.0 / 1000) / 10));
        QCOMPARE(s.Vo, std::vector<double>(12, 0.0));
        QCOMPARE(s.Vi, std::vector<double>(12, 0.0));
        QCOMPARE(s.iC, std::vector<double>(12, 0.0));
    }
}

void SimulationTest::secondRunLeavesNoTrace() {
    SimulatedState s = Design(10, 0.5, 1e4, 1e4, 250e-9, 1000, 300);
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    const SimulatedState smaller = Design(5, 0.3, 1000, 1000, 1e-6, 10, 3);
    s.E = smaller.E;
    s.D = smaller.D;
    s.f = smaller.f;
    s.R = smaller.R;
    s.C = smaller.C;
    s.N = smaller.N;
    s.NI = smaller.NI;
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    const QString difference = RunDifference(s, LiteralRun(smaller));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void SimulationTest::matchesLiteralEvaluation() {
    DesignSource source;
    Coverage coverage;
    constexpr int kKinds = 5;
    for (int design = 0; design < 600; ++design) {
        const SimulatedState drawn = source.Draw(design % kKinds);
        coverage.Add(drawn);
        const QString where = QString("design %1: ").arg(design) + DescribeDesign(drawn);

        SimulatedState engine = drawn;
        const RunResult run = RunSimulation(engine, UncheckedPlan(engine));
        QCOMPARE(run.outcome, RunOutcome::Completed);
        SimulatedState literal = drawn;
        std::vector<double> starts;
        reference::RunSimulation(literal, &starts);
        QString difference = RunDifference(engine, literal);
        QVERIFY2(difference.isEmpty(), qPrintable(where + ": " + difference));
        QCOMPARE(Describe(run.periodic), Describe(FirstRepeat(starts)));
        coverage.periodic += run.periodic.has_value();

        ComputeStatistics(engine);
        reference::ComputeStatistics(literal);
        difference = StatisticsDifference(engine, literal);
        QVERIFY2(difference.isEmpty(), qPrintable(where + ": " + difference));
    }
    QVERIFY(coverage.noOnPhase >= 3);
    QVERIFY(coverage.singleOnSample >= 3);
    QVERIFY(coverage.gap >= 10);
    QVERIFY(coverage.noOffPhase >= 10);
    QVERIFY(coverage.selfCopy >= 10);
    QVERIFY(coverage.noPeriods >= 10);
    QVERIFY(coverage.cycles >= 5);
    QVERIFY(coverage.periodic >= 100 && coverage.periodic <= 500);
}

void SimulationTest::cyclesAreSkippedExactly() {
    struct Case {
        SimulatedState design;
        std::int64_t cycle;
    };
    const Case cases[] = {
        {TabulatedDesign(), 1},
        {Design(10, 0.75, 1000, 1000, 253e-9, 2, 0), 2},
        {Design(10, 0.75, 1000, 1000, 320e-9, 2, 0), 3},
        {Design(10, 0.79, 1000, 1000, 93e-9, 7, 0), 4},
    };
    for (const Case& c : cases) {
        const auto plan =
            MakePeriodPlan(c.design, *engine::FindSwitchingSamples(c.design.N, c.design.D));
        const auto endOfPeriod = [&plan](double v) { return engine::EndValue(plan, v); };
        const auto position = engine::Advance(endOfPeriod, 0.0, 5000);
        QCOMPARE(position.cycle, c.cycle);
        QVERIFY(position.periodsRun < 5000);

        // Every phase of the cycle, from around the period where the repeat shows and from far
        // beyond it.
        const auto seen = static_cast<std::int32_t>(position.periodsRun);
        for (const std::int32_t from : {seen - 3, 4000}) {
            for (std::int32_t periods = from; periods <= from + 2 * c.cycle + 1; ++periods) {
                SimulatedState design = c.design;
                design.NI = periods;
                SimulatedState s;
                VERIFY_MATCHES_LITERAL(design, s);
            }
        }
    }
}

void SimulationTest::advanceFindsEveryPhase() {
    // Integers that run from 0 up to tail + cycle − 1 and then go round the last `cycle` of them.
    struct Orbit {
        std::int64_t tail, cycle;
    };
    for (const Orbit orbit : {Orbit{0, 1}, Orbit{6, 1}, Orbit{0, 2}, Orbit{3, 3}, Orbit{11, 8},
                              Orbit{37, 23}, Orbit{100, 9}, Orbit{1, 200}}) {
        const double last = static_cast<double>(orbit.tail + orbit.cycle - 1);
        const auto next = [&](double v) { return v < last ? v + 1 : double(orbit.tail); };
        const auto expected = [&](std::int64_t periods) {
            return periods < orbit.tail ? periods
                                        : orbit.tail + (periods - orbit.tail) % orbit.cycle;
        };
        for (const std::int64_t periods : {std::int64_t{0}, std::int64_t{1}, std::int64_t{2},
                                           std::int64_t{57}, std::int64_t{499}, std::int64_t{500},
                                           std::int64_t{501}, std::int64_t{2'147'483'646}}) {
            const auto position = engine::Advance(next, 0.0, periods);
            QCOMPARE(position.value, double(expected(periods)));
            QVERIFY(position.periodsRun <= 4 * (orbit.tail + orbit.cycle) + orbit.cycle);
            if (position.cycle > 0)
                QCOMPARE(position.cycle % orbit.cycle, std::int64_t{0});
        }
    }
}

void SimulationTest::advanceKeepsSignedZeros() {
    // 0.0 and -0.0 compare equal but are different states; the values alternate, a cycle of two.
    const auto negate = [](double v) { return -v; };
    for (std::int64_t periods = 0; periods < 12; ++periods) {
        const auto position = engine::Advance(negate, 0.0, periods);
        QVERIFY(SameBits(position.value, periods % 2 == 0 ? 0.0 : -0.0));
    }
}

void SimulationTest::periodicityOfSyntheticMaps() {
    // Values that run up from 0 to tail + cycle − 1 and then go round the last `cycle` of them,
    // and a cycle of 50 that jumps about, so that its values are distinct without being ordered.
    struct Map {
        std::int64_t tail, cycle;
        bool jumping;
    };
    for (const Map map : {Map{0, 1, false}, Map{6, 1, false}, Map{3, 3, false}, Map{37, 23, false},
                          Map{1, 200, false}, Map{5000, 3000, false}, Map{0, 50, true}}) {
        const double last = double(map.tail + map.cycle - 1);
        const auto next = [&](double v) {
            if (map.jumping)
                return std::fmod(v + 17, 50);
            return v < last ? v + 1 : double(map.tail);
        };
        const std::int64_t closes = map.tail + map.cycle; // s(tail + 1) comes back here
        for (const std::int64_t periods : {std::int64_t{1}, std::int64_t{2}, closes - 1, closes,
                                           closes + 1, 3 * closes, std::int64_t{2'147'483'647}}) {
            if (periods < 1)
                continue;
            PeriodWalk walk(next, 0.0);
            walk.SeeNext(next(walk.Advance(periods - 1).value));
            const auto expected = periods >= closes
                                      ? std::optional(Periodicity{map.tail + 1, map.cycle})
                                      : std::nullopt;
            QCOMPARE(Describe(walk.Periodic(periods + 1)), Describe(expected));
        }
    }
}

// The designs as "Grafici" reads them from the verification fields (each value times its unit's
// scale), so that the last bit is the program's.
void SimulationTest::reportsWhereTheRunBecamePeriodic_data() {
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("c");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("periods");
    QTest::addColumn<QString>("expected");
    QTest::newRow("example design") << 10.0 << 50 * 0.01 << 10 * 1000.0 << 10 * 1000.0 << 250 * 1e-9
                                    << 1000 << 2000 << "from 788, cycle 1";
    const auto worked = [](const char* name, int periods, const char* expected) {
        QTest::newRow(name) << 10.0 << 30 * 0.01 << 1 * 1000.0 << 1 * 1000.0 << 1000 * 1e-9 << 10
                            << periods << expected;
    };
    worked("worked example", 2000, "from 44, cycle 1");
    worked("worked example ending where its last period began", 44, "from 44, cycle 1");
    worked("worked example one period short", 43, "not periodic");
    QTest::newRow("cycle of two") << 10.0 << 80 * 0.01 << 1 * 1000.0 << 0.1 * 1000 << 220 * 1e-9
                                  << 23 << 2000 << "from 71, cycle 2";
    QTest::newRow("cycle of three") << 10.0 << 80 * 0.01 << 10 * 1000.0 << 0.1 * 1000 << 100 * 1e-9
                                    << 7 << 2000 << "from 10, cycle 3";
}

void SimulationTest::reportsWhereTheRunBecamePeriodic() {
    QFETCH(double, e);
    QFETCH(double, d);
    QFETCH(double, f);
    QFETCH(double, r);
    QFETCH(double, c);
    QFETCH(int, n);
    QFETCH(int, periods);
    QFETCH(QString, expected);
    SimulatedState s = Design(e, d, f, r, c, n, periods);
    const auto plan = PlanRun(s);
    QVERIFY(std::holds_alternative<RunPlan>(plan));
    QCOMPARE(Describe(RunSimulation(s, std::get<RunPlan>(plan)).periodic), expected);
}

void SimulationTest::refusedSettingsGiveNoPlan() {
    for (const std::int32_t n : {0, -1, kMinCount, kMaxSamplesPerPeriod + 1, kMaxCount}) {
        SimulatedState s = TabulatedDesign();
        s.N = n;
        const RunRefusal expected = n < 1 ? RunRefusal::NoSamples : RunRefusal::TooManySamples;
        QVERIFY2(RefusalOf(s) == int(expected), qPrintable(QString::number(n)));
    }
    // N = 4: 4.5 gives k = 4 but k1 = 6, beyond element N + 1. -0.7 gives k = -1.
    for (const double d : {kNaN, kInf, -kInf, 2.0, 1.125, -0.07, 1e300}) {
        SimulatedState s = TabulatedDesign();
        s.D = d;
        s.N = d == 1.125 ? 4 : 10;
        QVERIFY2(RefusalOf(s) == int(RunRefusal::DutyOutOfRange), qPrintable(QString::number(d)));
    }
}

// No sample in the pulse: the literal run holds no sample of Vi at E, or its output never
// leaves 0. PlanRun refuses exactly those runs, and FewestSamplesWithPulse names the first N it
// does not refuse.
void SimulationTest::aRunWithNoSampleInThePulseIsRefused() {
    for (const double d : {0.01, 0.05, 0.1, 0.15, 0.25, 0.3, 1.0 / 3, 0.375, 0.5, 0.7, 0.75,
                           0.875, 0.9, 0.99}) {
        std::optional<std::int32_t> first;
        for (std::int32_t n = 1; n <= 200; ++n) {
            const SimulatedState design = Design(10, d, 1000, 1000, 1e-4, n, 3);
            const SimulatedState literal = LiteralRun(design);
            bool high = false, rises = false;
            for (std::int32_t i = 1; i <= n; ++i) {
                high = high || literal.Vi[std::size_t(i)] == 10;
                rises = rises || literal.Vo[std::size_t(i)] > 0;
            }
            QVERIFY2((RefusalOf(design) == int(RunRefusal::NoPulseSample)) == !(high && rises),
                     qPrintable(QString("D %1 N %2").arg(d).arg(n)));
            if (high && rises && !first)
                first = n;
        }
        QCOMPARE(FewestSamplesWithPulse(d), first);
    }
    // Beyond the largest N, none; at its edge, the largest itself.
    QCOMPARE(FewestSamplesWithPulse(1e-9), std::nullopt);
    QCOMPARE(FewestSamplesWithPulse(1.5 / (kMaxSamplesPerPeriod - 0.5)), kMaxSamplesPerPeriod);
    QCOMPARE(FewestSamplesWithPulse(1.5 / kMaxSamplesPerPeriod), std::nullopt);
}

void SimulationTest::oddValuesRunWithoutFault() {
    SimulatedState s;
    // D = 1 (k = N, k1 = N + 1) and N·D = -0.5 (k = k1 = 0: the off-phase starts at element 0)
    // still index within the arrays.
    VERIFY_MATCHES_LITERAL(Design(10, 1.0, 1000, 1000, 1e-6, 10, 20), s);
    VERIFY_MATCHES_LITERAL(Design(10, -0.05, 1000, 1000, 1e-6, 10, 20), s);

    // Values the graph command refuses or the run-settings check turns away: infinities and NaNs,
    // but the same ones, bit for bit.
    VERIFY_MATCHES_LITERAL(Design(10, 0.3, 1000, 1000, 1e-8, 10, 2000), s); // unstable
    QVERIFY(!std::isfinite(s.Vo[5]));
    for (const double f : {0.0, kInf, -1000.0, 1e-320})
        VERIFY_MATCHES_LITERAL(Design(10, 0.3, f, 1000, 1e-6, 10, 30), s);
    for (const double r : {0.0, -1000.0, kInf})
        VERIFY_MATCHES_LITERAL(Design(10, 0.3, 1000, r, 1e-6, 10, 30), s);
    VERIFY_MATCHES_LITERAL(Design(kInf, 0.3, 1000, 1000, 1e-6, 10, 30), s);
    VERIFY_MATCHES_LITERAL(Design(-1e308, 0.3, 1e-3, 1000, 1e-6, 10, 30), s);

    // The most periods there are: the settled period comes out at once.
    SimulatedState longest = TabulatedDesign();
    longest.NI = kMaxCount;
    SimulatedState hundred = TabulatedDesign();
    hundred.NI = 100;
    QCOMPARE(Simulate(longest), RunOutcome::Completed);
    QVERIFY(RunDifference(longest, LiteralRun(hundred)).isEmpty());

    // The most samples there are.
    SimulatedState widest = TabulatedDesign();
    widest.N = kMaxSamplesPerPeriod;
    widest.NI = 1;
    QCOMPARE(Simulate(widest), RunOutcome::Completed);
    QCOMPARE(widest.Vo.size(), std::size_t(kMaxSamplesPerPeriod) + 2);
}

void SimulationTest::outOfMemoryIsReported() {
    if (!AddressSpaceLimit::Available())
        QSKIP("needs an address-space limit and an allocator that throws std::bad_alloc");
    SimulatedState s = TabulatedDesign();
    s.N = kMaxSamplesPerPeriod;
    RunOutcome outcome = RunOutcome::Completed;
    {
        // 64 MB more than the process has now, far less than the arrays need.
        const AddressSpaceLimit limit(64 << 20);
        QVERIFY(limit.IsSet());
        outcome = Simulate(s);
    }
    QCOMPARE(outcome, RunOutcome::OutOfMemory);
    QVERIFY(s.Vo.empty() && s.Vi.empty() && s.iC.empty());
}

void SimulationTest::planRun_data() {
    QTest::addColumn<std::int32_t>("n");
    QTest::addColumn<std::int32_t>("periods");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("expected");

    // dt = (1/1000)/10; with R = 1 and C = dt/2, 2·R·C is dt exactly.
    const double dt = (1.0 / 1000) / 10;
    const auto row = [](const char* name, std::int32_t n, std::int32_t periods, double d, double f,
                        double c, double r, int expected) {
        QTest::newRow(name) << n << periods << d << f << c << r << expected;
    };
    row("tabulated", 10, 2000, 0.3, 1000, 1e-6, 1000, kPlanned);
    row("N 1", 1, 2000, 0.3, 1000, 1e-6, 1000, int(RunRefusal::NoPulseSample));
    row("N 0", 0, 2000, 0.3, 1000, 1e-6, 1000, int(RunRefusal::NoSamples));
    row("N negative", kMinCount, 2000, 0.3, 1000, 1e-6, 1000, int(RunRefusal::NoSamples));
    row("N at the limit", kMaxSamplesPerPeriod, 2000, 0.3, 1, 1e-6, 1000, kPlanned);
    row("N above the limit", kMaxSamplesPerPeriod + 1, 2000, 0.3, 1, 1e-6, 1000,
        int(RunRefusal::TooManySamples));
    row("NI 1", 10, 1, 0.3, 1000, 1e-6, 1000, kPlanned);
    row("NI 0", 10, 0, 0.3, 1000, 1e-6, 1000, int(RunRefusal::NoPeriods));
    row("D NaN", 10, 2000, kNaN, 1000, 1e-6, 1000, int(RunRefusal::DutyOutOfRange));
    row("D 1.125, N 4", 4, 2000, 1.125, 1000, 1e-6, 1000, int(RunRefusal::DutyOutOfRange));
    row("f 0", 10, 2000, 0.3, 0, 1e-6, 1000, int(RunRefusal::NonFiniteTimeStep));
    row("f subnormal", 10, 2000, 0.3, 1e-320, 1e-6, 1000, int(RunRefusal::NonFiniteTimeStep));
    row("f NaN", 10, 2000, 0.3, kNaN, 1e-6, 1000, int(RunRefusal::NonFiniteTimeStep));
    row("f infinite", 10, 2000, 0.3, kInf, 1e-6, 1000, int(RunRefusal::UnstableStep));
    row("f largest", kMaxSamplesPerPeriod, 2000, 0.3, 1.7976931348623157e308, 1e-300, 1e-15,
        kPlanned);
    row("dt = 2RC", 10, 2000, 0.3, 1000, dt / 2, 1, kPlanned);
    row("dt just above 2RC", 10, 2000, 0.3, 1000, std::nextafter(dt / 2, 0.0), 1,
        int(RunRefusal::UnstableStep));
    row("f negative", 10, 2000, 0.3, -1000, 1e-6, 1000, int(RunRefusal::UnstableStep));
    row("R NaN", 10, 2000, 0.3, 1000, 1e-6, kNaN, int(RunRefusal::UnstableStep));
    row("C 0", 10, 2000, 0.3, 1000, 0, 1000, int(RunRefusal::UnstableStep));
    // The first failing check answers.
    row("N and NI", 0, 0, 0.3, 1000, 1e-6, 1000, int(RunRefusal::NoSamples));
    row("NI and D", 10, 0, kNaN, 1000, 1e-6, 1000, int(RunRefusal::NoPeriods));
    row("D and f", 10, 2000, kNaN, 0, 1e-6, 1000, int(RunRefusal::DutyOutOfRange));
    row("pulse and f", 5, 2000, 0.3, 0, 1e-6, 1000, int(RunRefusal::NoPulseSample));
    row("f and R", 10, 2000, 0.3, 0, 1e-6, -1, int(RunRefusal::NonFiniteTimeStep));
}

void SimulationTest::planRun() {
    QFETCH(std::int32_t, n);
    QFETCH(std::int32_t, periods);
    QFETCH(double, d);
    QFETCH(double, f);
    QFETCH(double, c);
    QFETCH(double, r);
    QFETCH(int, expected);
    const SimulatedState s = Design(10, d, f, r, c, n, periods);
    QCOMPARE(RefusalOf(s), expected);
}

VELMARO_TEST(SimulationTest);

#include "simulation_tests.moc"
