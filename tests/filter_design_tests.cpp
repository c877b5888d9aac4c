// SPDX-License-Identifier: GPL-3.0-or-later
// The design of C for a ripple with a second stage or a load: the exact C recomputed through
// the ripple it gives, the worst tolerance corner, and the pairs of capacitors to buy.

#include "engine/filter_design.h"
#include "engine/ideal_circuit.h"
#include "tests/precise_ripple.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

using namespace engine;

namespace {

const std::optional<double> kNone;
constexpr double kSomePositive = -1; // in a table of answers: any positive C

const FilterShape kShapes[] = {
    {1e4, kNone, kNone}, {1e4, kNone, 3e4}, {1e4, 1.0, kNone}, {1e4, 10.0, 1e5}, {2.2e3, 30.0, 1e3},
};

QString Describe(const FilterShape& s) {
    return QString("R %1 k %2 RL %3").arg(s.R).arg(s.k.value_or(0)).arg(s.RL.value_or(0));
}

double Ripple(const FilterShape& shape, double c, double e, double d, double f) {
    return *SteadyRippleOf(CircuitOf(shape, c), e, d, f);
}

// The largest series value below `value`.
double SeriesValueBelow(Series series, double value) {
    double below = *StandardValueAtLeast(series, value / 11);
    for (;;) {
        const double next = *StandardValueAbove(series, below);
        if (next >= value)
            return below;
        below = next;
    }
}

} // namespace

class FilterDesignTest : public QObject {
    Q_OBJECT

private slots:
    void exactCapacitanceGivesBackTheRipple();
    void exactCapacitanceEdges();
    void theWorstCornerBoundsEveryPartWithinTolerance();
    void safePairIsTheFirstThatMeetsTheRipple();
    void pairsReachedByDivisionAreTheSeriesValues();
    void theDesignAgreesWithFiftyDigits();
};

void FilterDesignTest::exactCapacitanceGivesBackTheRipple() {
    // Ripples from a millionth of the full scale E·g to most of it: the ripple at C is ΔVo, and
    // C is the boundary, a part in a million either side crossing it.
    const double e = 5, f = 2e4;
    for (const FilterShape& shape : kShapes)
        for (const double d : {0.05, 0.5, 0.9})
            for (const double share : {1e-6, 1e-3, 0.1, 0.8}) {
                const double deltaVo = share * e * *DcGain(CircuitOf(shape, 1.0));
                const std::optional<double> c = ExactCapacitanceOf(shape, e, d, f, deltaVo);
                const QString where =
                    QString("%1, D %2, ΔVo %3").arg(Describe(shape)).arg(d).arg(deltaVo);
                QVERIFY2(c && *c > 0, qPrintable(where));
                QVERIFY2(std::fabs(Ripple(shape, *c, e, d, f) / deltaVo - 1) < 1e-9,
                         qPrintable(where));
                QVERIFY2(Ripple(shape, *c * (1 - 1e-6), e, d, f) > deltaVo &&
                             Ripple(shape, *c * (1 + 1e-6), e, d, f) < deltaVo,
                         qPrintable(where));
                if (!shape.k && !shape.RL)
                    QCOMPARE(*c, *ExactCapacitance(e, d * e, f, deltaVo, shape.R));
            }
}

void FilterDesignTest::exactCapacitanceEdges() {
    const double inf = std::numeric_limits<double>::infinity();
    const FilterShape ladder{1e4, 10.0, 1e4}; // g = 1/12
    struct Case {
        FilterShape shape;
        double e, d, f, deltaVo;
        std::optional<double> c;
    };
    // Every C meets the ripple (0): ΔVo at or above E·g, which the load lowers (just below it,
    // some C); no ripple at D = 0 or 1. Out of range, or a C beyond the double range (none).
    const Case cases[] = {
        {ladder, 12, 0.5, 1e4, 1, 0},
        {ladder, 12, 0.5, 1e4, 0.999, kSomePositive},
        {ladder, 12, 0, 1e4, 0.01, 0},
        {ladder, 12, 1, 1e4, 0.01, 0},
        {{1e4, kNone, kNone}, 10, 0.5, 1e4, 10, 0},
        {ladder, 12, 0.5, 1e4, 0, kNone},
        {ladder, 12, 1.5, 1e4, 0.01, kNone},
        {ladder, 12, 0.5, inf, 0.01, kNone},
        {{1e4, 0.0, kNone}, 12, 0.5, 1e4, 0.01, kNone},
        {{-1, kNone, kNone}, 12, 0.5, 1e4, 0.01, kNone},
        {{1e4, 10.0, 1e4}, 12, 0.5, 1e-308, 1e-15, kNone},
    };
    for (const Case& c : cases) {
        const std::optional<double> got = ExactCapacitanceOf(c.shape, c.e, c.d, c.f, c.deltaVo);
        const QString where = QString("%1, E %2 D %3 f %4 ΔVo %5")
                                  .arg(Describe(c.shape))
                                  .arg(c.e)
                                  .arg(c.d)
                                  .arg(c.f)
                                  .arg(c.deltaVo);
        if (c.c == kSomePositive)
            QVERIFY2(got && *got > 0, qPrintable(where));
        else
            QVERIFY2(got == c.c, qPrintable(where + QString(": %1").arg(got.value_or(-2))));
    }
}

void FilterDesignTest::theWorstCornerBoundsEveryPartWithinTolerance() {
    // No choice of parts inside their tolerances, each drawn on its own, makes more ripple than
    // the worst corner; without tolerances the worst case is the nominal circuit.
    const double e = 10, d = 0.4, f = 1e4, c = 2e-8;
    const PartTolerances tolerances{0.1, 0.05};
    std::uint32_t seed = 12345;
    const auto draw = [&seed](double tolerance) {
        seed = seed * 1664525u + 1013904223u;
        return 1 + tolerance * (2 * (seed >> 8) / double(1 << 24) - 1);
    };
    for (const FilterShape& shape : kShapes) {
        const FilterCircuit nominal = CircuitOf(shape, c);
        const double worst = *WorstRippleOf(nominal, tolerances, e, d, f);
        QCOMPARE(*WorstRippleOf(nominal, {0, 0}, e, d, f), *SteadyRippleOf(nominal, e, d, f));
        for (int trial = 0; trial < 200; ++trial) {
            FilterCircuit part = nominal;
            part.R *= draw(tolerances.resistor);
            part.C *= draw(tolerances.capacitor);
            if (part.second) {
                part.second->R2 *= draw(tolerances.resistor);
                part.second->C2 *= draw(tolerances.capacitor);
            }
            QVERIFY2(*SteadyRippleOf(part, e, d, f) <= worst, qPrintable(Describe(shape)));
        }
    }
}

void FilterDesignTest::safePairIsTheFirstThatMeetsTheRipple() {
    const double e = 10, d = 0.5, f = 1e4, deltaVo = 0.01;
    for (const FilterShape& shape : kShapes)
        for (const Series series : {Series::E6, Series::E12, Series::E96})
            for (const PartTolerances tolerances :
                 {PartTolerances{0, 0}, PartTolerances{0.1, 0.01}, PartTolerances{0.2, 0.05}}) {
                const double exact = *ExactCapacitanceOf(shape, e, d, f, deltaVo);
                const std::optional<CapacitorPair> safe =
                    SafePairOf(shape, e, d, f, deltaVo, series, tolerances);
                const QString where = QString("%1, series %2, tolerances %3 %4")
                                          .arg(Describe(shape))
                                          .arg(int(series))
                                          .arg(tolerances.capacitor)
                                          .arg(tolerances.resistor);
                QVERIFY2(safe && safe->worstRipple <= deltaVo * (1 + kRippleSlack),
                         qPrintable(where));
                const auto partner = [&](double c) {
                    return shape.k ? StandardValueAtLeast(series, c / *shape.k) : kNone;
                };
                QVERIFY2(safe->c2 == partner(safe->c), qPrintable(where));
                // The series value before it, with its own partner, misses the ripple.
                const double before = SeriesValueBelow(series, safe->c);
                if (before >= exact / 10) {
                    const FilterCircuit circuit =
                        CircuitOf(shape, before, partner(before).value_or(0));
                    QVERIFY2(*WorstRippleOf(circuit, tolerances, e, d, f) > deltaVo,
                             qPrintable(where));
                }
                // The standard pair: the smallest series values at or above the exact C and C/k.
                const CapacitorPair standard =
                    *StandardPairOf(shape, e, d, f, deltaVo, series, tolerances);
                QVERIFY2(standard.c >= exact && SeriesValueBelow(series, standard.c) < exact,
                         qPrintable(where));
                if (shape.k)
                    QVERIFY2(*standard.c2 >= exact / *shape.k &&
                                 SeriesValueBelow(series, *standard.c2) < exact / *shape.k,
                             qPrintable(where));
            }
    // Nothing to buy when every C meets the ripple.
    QVERIFY(!SafePairOf(kShapes[3], e, d, f, 10, Series::E12, {0.1, 0.01}) &&
            !StandardPairOf(kShapes[3], e, d, f, 10, Series::E12, {0.1, 0.01}));
}

void FilterDesignTest::pairsReachedByDivisionAreTheSeriesValues() {
    // The worked example's two stages, k 10: C/k of a series C is a series value, though the
    // quotient lands an ulp above it (330e-9/10 > 33e-9). Parts in nF, {ΔVo (mV), safe C, safe
    // C2, standard C, standard C2}; at 0.13 mV the standard pair itself is the safe one.
    const FilterShape shape{1e4, 10.0, kNone};
    const double table[][5] = {{0.5, 330, 33, 270, 27}, {0.13, 560, 56, 560, 56}};
    for (const auto& row : table) {
        const double deltaVo = row[0] * 1e-3;
        const CapacitorPair safe =
            *SafePairOf(shape, 10, 0.5, 1e4, deltaVo, Series::E12, {0.1, 0.01});
        const CapacitorPair standard =
            *StandardPairOf(shape, 10, 0.5, 1e4, deltaVo, Series::E12, {0.1, 0.01});
        const auto text = [](const CapacitorPair& pair) {
            return QString("%1/%2").arg(pair.c * 1e9).arg(*pair.c2 * 1e9);
        };
        QCOMPARE(text(safe) + " " + text(standard),
                 QString("%1/%2 %3/%4").arg(row[1]).arg(row[2]).arg(row[3]).arg(row[4]));
    }
}

void FilterDesignTest::theDesignAgreesWithFiftyDigits() {
    // From R·C·f = 10^−12 to 10^12, where the ripple of two stages falls as (R·C·f)^−2: the
    // ripple is the one at 50 digits, and from 1 on the exact C for the ripple of a C is that C; at
    // 10^12 the worst corner and the safe pair's worst ripple are the largest 50-digit ripple of
    // their corners, and the pair meets ΔVo by it.
    const double e = 10, f = 1e4, r = 1e4;
    const PartTolerances tolerances{0.1, 0.01};
    const auto precise = [&](const FilterCircuit& circuit, double d) {
        return static_cast<double>(precise_ripple::SettledRipple(circuit, e, d, f));
    };
    const auto preciseWorst = [&](const FilterCircuit& nominal, double d) {
        double worst = 0;
        for (int corner = 0; corner < (nominal.second ? 16 : 4); ++corner) {
            const auto side = [corner](int bit, double t) {
                return (corner >> bit) & 1 ? 1 + t : 1 - t;
            };
            FilterCircuit circuit = nominal;
            circuit.R *= side(0, tolerances.resistor);
            circuit.C *= side(1, tolerances.capacitor);
            if (circuit.second) {
                circuit.second->R2 *= side(2, tolerances.resistor);
                circuit.second->C2 *= side(3, tolerances.capacitor);
            }
            worst = std::max(worst, precise(circuit, d));
        }
        return worst;
    };
    const auto near = [](double got, double want) { return std::fabs(got / want - 1) <= 1e-9; };
    const FilterShape shapes[] = {{r, kNone, kNone}, {r, kNone, 1e3},  {r, 1.0, kNone},
                                  {r, 3.0, 1e5},     {r, 10.0, kNone}, {r, 10.0, 1e3},
                                  {r, 30.0, 1e4}};
    for (const FilterShape& shape : shapes)
        for (const double rcf : {1e-12, 0.01, 0.5, 1.0, 1e4, 1e8, 1e12})
            for (const double d : {0.1, 0.5}) {
                const double c = rcf / (r * f);
                const double deltaVo = precise(CircuitOf(shape, c), d);
                const QString where =
                    QString("%1, R·C·f %2, D %3").arg(Describe(shape)).arg(rcf).arg(d);
                QVERIFY2(near(*SteadyRippleOf(CircuitOf(shape, c), e, d, f), deltaVo),
                         qPrintable(where));
                if (rcf < 1)
                    continue; // near the full scale the ripple hardly moves with C
                const std::optional<double> exact = ExactCapacitanceOf(shape, e, d, f, deltaVo);
                QVERIFY2(exact && near(*exact, c), qPrintable(where));
                if (rcf < 1e12 || d != 0.5)
                    continue;
                QVERIFY2(near(*WorstRippleOf(CircuitOf(shape, c), tolerances, e, d, f),
                              preciseWorst(CircuitOf(shape, c), d)),
                         qPrintable(where));
                const CapacitorPair safe =
                    *SafePairOf(shape, e, d, f, deltaVo, Series::E12, tolerances);
                const double safeWorst =
                    preciseWorst(CircuitOf(shape, safe.c, safe.c2.value_or(0)), d);
                QVERIFY2(near(safe.worstRipple, safeWorst) && safeWorst <= deltaVo * (1 + 1e-9),
                         qPrintable(where));
            }
}

VELMARO_TEST(FilterDesignTest);

#include "filter_design_tests.moc"
