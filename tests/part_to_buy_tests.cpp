// SPDX-License-Identifier: GPL-3.0-or-later
// The part to buy and the filter's figures in closed form: the series tables, the safe part at
// the boundary of its low corner, and the figures against a long double evaluation.

#include "engine/filter_figures.h"
#include "engine/ideal_circuit.h"
#include "engine/part_to_buy.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

using namespace engine;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const std::optional<double> kNone;

bool Near(long double got, long double want, double relative = 1e-13) {
    return std::fabs(got - want) <= relative * std::fabs(want) + 1e-300;
}

// n doubles above value.
double Ulps(double value, int n) {
    for (int i = 0; i < n; ++i)
        value = std::nextafter(value, kInf);
    return value;
}

// 10^-14 above value, relatively: clearly not the same value.
double Beyond(double value) { return value * (1 + 1e-14); }

QByteArray Text(std::optional<double> v) { return v ? QByteArray::number(*v, 'g', 17) : "none"; }

} // namespace

class PartToBuyTest : public QObject {
    Q_OBJECT

private slots:
    // A value on a series value, or a few ulps above it as a quotient lands, maps to itself and
    // the next value is the one after; a value clearly above maps to the next. The end of a
    // decade goes to the start of the next; below and beyond the double range.
    void seriesValueAtLeastAndAbove() {
        const double tiniest = std::numeric_limits<double>::denorm_min();
        using enum Series;
        const struct {
            Series series;
            double value;
            std::optional<double> atLeast, above;
        } table[] = {
            // clang-format off
            {E12, 220, 220, 270}, {E12, Ulps(220, 4), 220, 270}, {E12, Beyond(220), 270, 270},
            {E12, 2.2e293 / 10, 2.2e292, 2.7e292},
            {E12, 4.7e-9, 4.7e-9, 5.6e-9}, {E12, Beyond(8.2), 10, 10}, {E12, 0.5, 0.56, 0.56},
            {E12, 1e-310, 1e-310, 1.2e-310}, {E12, Ulps(1e-310, 1), 1.2e-310, 1.2e-310},
            {E12, tiniest, tiniest, 2 * tiniest}, {E12, 1.7e308, kNone, kNone},
            {E12, 0, kNone, kNone}, {E12, -1, kNone, kNone}, {E12, kInf, kNone, kNone},
            {E12, std::nan(""), kNone, kNone},
            {E6, 6.8e3, 6.8e3, 1e4}, {E6, Beyond(3.3), 4.7, 4.7}, {E6, 0.5, 0.68, 0.68},
            {E24, 9.1e-12, 9.1e-12, 1e-11}, {E24, Beyond(1), 1.1, 1.1},
            {E96, 2.55e-9, 2.55e-9, 2.61e-9}, {E96, Beyond(9.76), 10, 10},
            {E96, 1e-5, 1e-5, 1.02e-5}, {E96, 1.75e308, 1.78e308, 1.78e308}, {E96, 1.78e308, 1.78e308, kNone},
            {E96, Beyond(1.78e308), kNone, kNone}};
        // clang-format on
        for (const auto& row : table) {
            const QByteArray where = QByteArray::number(row.value, 'g', 17);
            QCOMPARE(Text(StandardValueAtLeast(row.series, row.value)) + " at " + where,
                     Text(row.atLeast) + " at " + where);
            QCOMPARE(Text(StandardValueAbove(row.series, row.value)) + " at " + where,
                     Text(row.above) + " at " + where);
        }
    }

    // E96 has 96 values, increasing, each within 0.5 % of its place 10^(k/96) on the geometric
    // scale (steps of 2.4 % on average, 3.0 % at most once rounded).
    void seriesTables() {
        const auto e96 = SeriesDecade(Series::E96);
        QCOMPARE(e96.size(), std::size_t(96));
        for (std::size_t k = 0; k < e96.size(); ++k) {
            const int next = k + 1 < e96.size() ? e96[k + 1] : 1000;
            const double place = 100 * std::pow(10.0, k / 96.0);
            QVERIFY2(next > e96[k] && next <= e96[k] * 1.031 &&
                         std::fabs(e96[k] / place - 1) <= 0.005,
                     qPrintable(QString::number(e96[k])));
        }
    }

    // ΔVo is made the ripple of a series value at its low corner: that value is the safe part,
    // and a ΔVo lower by a billionth asks for the next. The worst case of the standard part is
    // within ΔVo exactly when the standard part is the safe one.
    void theSafePartMeetsTheRippleAtItsLowCorner() {
        const double e = 10, d = 0.3, f = 1e4, r = 1e4;
        const struct {
            Series series;
            double part; // nF
            PartTolerances tolerances;
            bool standardIsSafe;
        } table[] = {{Series::E6, 330, {0.2, 0.05}, true},
                     {Series::E12, 3.3e3, {0.1, 0.01}, true},
                     {Series::E24, 200, {0.2, 0.05}, false},
                     {Series::E96, 2.87e5, {0.1, 0.01}, false}};
        for (const auto& row : table) {
            const double lowR = r * (1 - row.tolerances.resistor);
            const double deltaVo =
                IdealSteadyStateOf(e, d, f, lowR, row.part * 1e-9 * (1 - row.tolerances.capacitor))
                    .ripple;
            for (const double shortfall : {0.0, 1e-9}) {
                const double wanted = deltaVo * (1 - shortfall);
                const double exact = *ExactCapacitance(e, d * e, f, wanted, r) * 1e9;
                const PartToBuy part =
                    ChoosePart({e, d, f, wanted, r, exact}, row.series, row.tolerances);
                const double safe =
                    shortfall == 0 ? row.part : *StandardValueAbove(row.series, row.part);
                QCOMPARE(Text(part.safeNanofarads), Text(safe));
                if (shortfall == 0) {
                    QCOMPARE(part.worstWithinRipple, row.standardIsSafe);
                    QVERIFY(row.standardIsSafe ? Near(*part.worstRipple, wanted, 1e-12)
                                               : *part.worstRipple > wanted);
                }
            }
        }
        // No part to buy when any C meets the ripple.
        const PartToBuy none = ChoosePart({e, d, f, 20, r, 0}, Series::E12, {0.1, 0.01});
        QVERIFY(!none.standardNanofarads && !none.worstRipple && !none.safeNanofarads);
    }

    void filterFiguresMatchLongDouble() {
        const long double twoPi = 2 * std::numbers::pi_v<long double>;
        for (const double f : {1e-3, 1.0, 1e4, 1e9})
            for (const double r : {1e-300, 1.0, 1e4, 1e300})
                for (const double c : {1e-300, 1e-7, 1e3}) {
                    const long double cutoff = 1 / (twoPi * r * c);
                    const long double ratio = f / cutoff;
                    const QString at = QString("f %1, R %2, C %3").arg(f).arg(r).arg(c);
                    const std::optional<double> got = CutoffFrequency(r, c);
                    QVERIFY2(cutoff > std::numeric_limits<double>::max() ? !got
                                                                         : Near(*got, cutoff),
                             qPrintable(at));
                    QVERIFY2(Near(AttenuationAt(f, r, c), 10 * log1pl(ratio * ratio) / logl(10)),
                             qPrintable(at));
                }
        // {E, ripple}: 6.64 bits for a ripple of 1 %; empty for a ripple of 0 or not finite.
        const double table[][2] = {{10, 0.1}, {10, 10}, {1e300, 1e-300}, {3, 2.0640986102415681}};
        for (const auto& row : table)
            QVERIFY(Near(*ResolutionBits(row[0], row[1]), log2l((long double)row[0] / row[1])));
        for (const double ripple : {0.0, kInf, std::nan("")})
            QVERIFY(!ResolutionBits(10, ripple));
    }
};

VELMARO_TEST(PartToBuyTest);

#include "part_to_buy_tests.moc"
