// SPDX-License-Identifier: GPL-3.0-or-later
// The continuous circuit in closed form: the steady state against a long double evaluation and
// its limits and the exact capacitance for a ripple.

#include "engine/ideal_circuit.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

using namespace engine;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const std::optional<double> kNone;

// Within `relative` of want; below the normal range, within that range's floor.
bool Near(long double got, long double want, double relative = 1e-12) {
    return std::fabs(got - want) <= relative * std::fabs(want) + std::numeric_limits<double>::min();
}

QByteArray Text(std::optional<double> v) { return v ? QByteArray::number(*v, 'g', 17) : "none"; }

} // namespace

class IdealCircuitTest : public QObject {
    Q_OBJECT

private slots:
    void steadyStateMatchesLongDouble();
    void steadyStateLimits();
    void exactCapacitanceGivesBackTheRipple();
    void exactCapacitanceEdges();
};

void IdealCircuitTest::steadyStateMatchesLongDouble() {
    for (double x = 1e-9; x <= 1e3; x *= 1.3)
        for (const double d : {1e-6, 1e-3, 0.1, 0.3, 0.5, 0.77, 0.999, 1 - 1e-6}) {
            const long double a = d * (x * 1.0L), b = (1 - d * 1.0L) * x;
            const long double vMax = expm1l(-a) / expm1l(-x * 1.0L);
            const IdealSteadyState s = NormalisedSteadyState(x, d);
            QVERIFY2(Near(s.vMax, vMax) && Near(s.vMin, vMax * expl(-b)) &&
                         Near(s.ripple, -vMax * expm1l(-b)) && s.mean == d,
                     qPrintable(QString("x %1, D %2").arg(x).arg(d)));
        }
}

void IdealCircuitTest::steadyStateLimits() {
    // {x, D, vMax, vMin, ripple} as fractions of E. R·C ≫ T: the mean D and a ripple of
    // D·(1 − D)·x, also where D·x is far below the normal range; R·C ≪ T: the input itself.
    const double table[][5] = {{1e-12, 0.3, 0.3, 0.3, 2.1e-13},
                               {1e-300, 1e-20, 1e-20, 1e-20, 0},
                               {0, 0.3, 0.3, 0.3, 0},
                               {kInf, 1e-6, 1, 0, 1},
                               {kInf, 1, 1, 1, 0}};
    for (const auto& row : table) {
        const IdealSteadyState s = NormalisedSteadyState(row[0], row[1]);
        QVERIFY2(Near(s.vMax, row[2]) && Near(s.vMin, row[3]) && Near(s.ripple, row[4], 1e-14),
                 qPrintable(QString("x %1, D %2").arg(row[0]).arg(row[1])));
    }
    // The worked example, and a time constant whose product leaves the double range.
    const IdealSteadyState s = IdealSteadyStateOf(10, 0.3, 1000, 1000, 1e-6);
    QVERIFY(Near(s.ripple, 2.0640986102415681237) && s.mean == 3);
    QVERIFY(Near(PeriodOverTimeConstant(1e300, 1e300, 1e-300), 1e-300, 1e-15));
}

void IdealCircuitTest::exactCapacitanceGivesBackTheRipple() {
    for (const double e : {1.0, 400.0})
        for (const double d : {1e-6, 0.3, 0.5, 1 - 1e-6})
            for (const double rho : {1e-9, 1e-3, 0.2, 0.9, 1 - 1e-6})
                for (const double f : {0.5, 1e10}) {
                    const std::optional<double> c = ExactCapacitance(e, d * e, f, rho * e, 1);
                    QVERIFY(c && *c > 0);
                    QVERIFY(Near(IdealSteadyStateOf(e, d * e / e, f, 1, *c).ripple, rho * e));
                }
    // R·C ≫ T: the simple formula, less the relative D·(1 − D)·x²/12 of the next order.
    for (const double d : {0.1, 0.5, 0.9}) {
        const double simple = d * 10 * (1 - d) / (1e4 * 1e4 * 1e-4), x = 1e-5 / (d * (1 - d));
        QVERIFY(Near(*ExactCapacitance(10, d * 10, 1e4, 1e-4, 1e4) / simple - 1,
                     -d * (1 - d) * x * x / 12, 1e-3));
    }
    // The program's example design: 250 nF by the simple formula.
    QVERIFY(Near(*ExactCapacitance(10, 5, 1e4, 0.1, 1e4), 249.99166644443280348e-9));
}

void IdealCircuitTest::exactCapacitanceEdges() {
    // {E, Vom, f, ΔVo, R, C}: every capacitance meets the ripple (0); C overflows or underflows,
    // or D is below the normal range (none).
    const std::optional<double> table[][6] = {
        {10, 5, 1e4, 10, 1e4, 0},          {10, 5, 1e4, 20, 1e4, 0},
        {10, 10, 1e4, 0.1, 1e4, 0},        {10, 5, 1e-300, 0.1, 1e-300, kNone},
        {10, 5, 1e300, 0.1, 1e300, kNone}, {1e10, 1e-300, 1e4, 1, 1e4, kNone}};
    for (const auto& row : table)
        QCOMPARE(Text(ExactCapacitance(*row[0], *row[1], *row[2], *row[3], *row[4])), Text(row[5]));
}

VELMARO_TEST(IdealCircuitTest);

#include "ideal_circuit_tests.moc"
