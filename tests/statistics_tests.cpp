// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics of the simulated period: the tabulated figures, the magnitude rules and what
// happens when the arrays do not cover N samples or the values have run away. Agreement with
// the literal evaluation over many designs is checked by the simulation tests.

#include "engine/simulation.h"
#include "engine/statistics.h"
#include "tests/engine_test_support.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>

using namespace engine;

using namespace engine_test;

namespace {

// A state holding the given samples 1 to N in all three arrays, elements 0 and N + 1 being 0.
SimulatedState WithSamples(std::vector<double> samples) {
    SimulatedState s;
    s.N = static_cast<std::int32_t>(samples.size());
    samples.insert(samples.begin(), 0.0);
    samples.push_back(0.0);
    s.Vi = s.Vo = s.iC = samples;
    s.f = 1000;
    s.dt = (1.0 / s.f) / s.N;
    return s;
}

} // namespace

class StatisticsTest : public QObject {
    Q_OBJECT

private slots:
    void tabulatedPeriod();
    void zeroArraysGiveZeros();
    void magnitudesAndSigns();
    void missingOrShortArrays();
    void fewerThanOneSample();
    void runawayValuesAreReported();
};

void StatisticsTest::tabulatedPeriod() {
    SimulatedState s = TabulatedDesign();
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    QVERIFY(ComputeStatistics(s));
    QCOMPARE(s.ViMax, 10.0);
    QVERIFY(std::fabs(s.VoMax - 3.336068) < 0.5e-6);
    QVERIFY(std::fabs(s.VoMin - 1.772923) < 0.5e-6);
    QVERIFY(std::fabs(s.IcMax - 0.007404369) < 0.5e-9);
    QVERIFY(std::fabs(s.DeltaVoVera - 1563.145) < 0.5e-3);
    QVERIFY(std::fabs(s.VomVera - 2.510899) < 0.5e-6);

    SimulatedState literal = LiteralRun(TabulatedDesign());
    reference::ComputeStatistics(literal);
    const QString difference = StatisticsDifference(s, literal);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void StatisticsTest::zeroArraysGiveZeros() {
    SimulatedState s = TabulatedDesign();
    s.NI = 0;
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    s.VoMin = s.VoMax = s.ViMax = s.IcMax = 7;
    QVERIFY(ComputeStatistics(s));
    for (const double result : {s.ViMax, s.IcMax, s.VoMax, s.VoMin, s.DeltaVoVera, s.VomVera})
        QVERIFY(SameBits(result, 0.0));
}

void StatisticsTest::magnitudesAndSigns() {
    // A negative sample 1: each maximum takes its magnitude; equal magnitudes of opposite sign
    // give the positive one, whichever comes first.
    SimulatedState s = WithSamples({-3, 2, 3, -1});
    QVERIFY(FindViMax(s) && FindIcMax(s) && FindVoMax(s));
    QCOMPARE(s.ViMax, 3.0);
    QCOMPARE(s.IcMax, 3.0);
    QCOMPARE(s.VoMax, 3.0);

    // The minimum starts from sample 1 as stored: no magnitude is below a negative start.
    QVERIFY(FindVoMin(s));
    QCOMPARE(s.VoMin, -3.0);
    s = WithSamples({2, -0.5, 1});
    QVERIFY(FindVoMin(s));
    QCOMPARE(s.VoMin, 0.5);

    // -0.0 as sample 1: |−0.0| = +0.0 >= −0.0 replaces it.
    s = WithSamples({-0.0});
    QVERIFY(FindVoMax(s) && FindVoMin(s));
    QVERIFY(SameBits(s.VoMax, 0.0) && SameBits(s.VoMin, 0.0));

    // A NaN sample 1 stays: no comparison with it holds.
    s = WithSamples({std::numeric_limits<double>::quiet_NaN(), 4});
    QVERIFY(FindVoMax(s));
    QVERIFY(std::isnan(s.VoMax));
}

void StatisticsTest::missingOrShortArrays() {
    SimulatedState s;
    s.N = 10;
    s.ViMax = s.IcMax = s.VoMax = s.VoMin = s.DeltaVoVera = s.VomVera = 7;
    QVERIFY(!FindViMax(s) && !FindIcMax(s) && !FindVoMax(s) && !FindVoMin(s));
    QVERIFY(!ComputeStatistics(s));

    // N grown since the run: the arrays no longer reach sample N.
    s = TabulatedDesign();
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    s.ViMax = s.IcMax = s.VoMax = s.VoMin = s.DeltaVoVera = s.VomVera = 7;
    s.N = 11;
    QVERIFY(!FindViMax(s) && !FindIcMax(s) && !FindVoMax(s) && !FindVoMin(s));
    QVERIFY(!ComputeStatistics(s));
    for (const double result : {s.ViMax, s.IcMax, s.VoMax, s.VoMin, s.DeltaVoVera, s.VomVera})
        QCOMPARE(result, 7.0);

    // One array missing is enough to refuse.
    s.N = 10;
    s.iC.clear();
    QVERIFY(FindVoMax(s));
    QVERIFY(!ComputeStatistics(s));
}

void StatisticsTest::fewerThanOneSample() {
    SimulatedState s = WithSamples({-2, 5});
    for (const std::int32_t n : {0, -4}) {
        s.N = n;
        QVERIFY(ComputeStatistics(s));
        QCOMPARE(s.VoMax, -2.0);
        QCOMPARE(s.VoMin, -2.0);
        QCOMPARE(s.ViMax, -2.0);
        QCOMPARE(s.IcMax, -2.0);
        QCOMPARE(s.DeltaVoVera, 0.0);
        QCOMPARE(s.VomVera, 0.0);
    }
}

void StatisticsTest::runawayValuesAreReported() {
    // dt = 10·R·C: the samples grow tenfold at every step and overflow.
    SimulatedState s = Design(10, 0.3, 1000, 1000, 1e-8, 10, 2000);
    QCOMPARE(Simulate(s), RunOutcome::Completed);
    QVERIFY(!ComputeStatistics(s));

    // An overflowing sum with finite samples.
    s = WithSamples({1e308, 1e308, 1e308});
    s.dt = 1;
    QVERIFY(!ComputeStatistics(s));
    QVERIFY(std::isfinite(s.VoMax));
}

VELMARO_TEST(StatisticsTest);

#include "statistics_tests.moc"
