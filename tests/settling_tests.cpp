// SPDX-License-Identifier: GPL-3.0-or-later
// The one settling: the first order against its closed form, every circuit against a scan of its
// mean response stepped in long double, and the full-scale step of a converter.

#include "engine/settling.h"
#include "tests/filter_reference.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>

using namespace engine;
namespace ref = filter_reference;
using filter_reference::Circuits;
using filter_reference::Describe;
using filter_reference::First;

namespace {

constexpr double kLn100 = 4.605170185988091368;
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

bool Near(long double a, long double b, long double relative) {
    return std::fabs(a - b) <= relative * std::fabs(b);
}

} // namespace

class SettlingTest : public QObject {
    Q_OBJECT

private slots:
    void firstOrderIsItsClosedForm();
    void meanResponseStaysWithinTheBandFromThen();
};

void SettlingTest::firstOrderIsItsClosedForm() {
    // R'·C·ln(|step|/band), R' = R∥RL; periods that time × f rounded up. NaN: no settling.
    struct Row {
        double r, c, rl, e, d0, d, f, band, seconds, periods;
    };
    const double lsb10 = 7.5 / 2048; // ½ LSB of 10 bits, full scale E·g = 7.5 V
    const Row table[] = {
        {1e3, 1e-6, 0, 10, 0, 0.3, 1e3, 0.03, 1e-3 * kLn100, 5},
        {1e3, 1e-6, 0, 10, 0.9, 0.1, 1e3, 0.08, 1e-3 * kLn100, 5},
        {1e4, 1e-7, 3e4, 10, 0, 1, 1e3, lsb10, 7.5e-4 * std::log(2048.0), 6},
        // A period far longer than the settling still counts as one; a billion-fold shorter one
        // counts them all.
        {1e3, 1e-6, 0, 10, 0, 0.5, 1e-297, 0.05, 1e-3 * kLn100, 1},
        {1e3, 1e-6, 0, 10, 0, 0.5, 1e303, 0.05, 1e-3 * kLn100, 1e-3 * kLn100 * 1e303},
        // Nothing moves, or the band holds the whole step: settled from the start.
        {1e3, 1e-6, 0, 10, 0.4, 0.4, 1e3, 0.01, 0, 0},
        {1e3, 1e-6, 0, 10, 0.4, 0.4, 1e3, 0, 0, 0},
        {1e3, 1e-6, 0, 10, 0, 0.5, 1e3, 5, 0, 0},
        // A band of 0 around a step, and inputs out of range.
        {1e3, 1e-6, 0, 10, 0, 0.5, 1e3, 0, kNone, kNone},
        {1e3, 1e-6, 0, 10, 0, 0.5, 0, 0.05, kNone, kNone},
        {1e3, 1e-6, 0, 10, 0, 1.5, 1e3, 0.05, kNone, kNone},
        {0, 1e-6, 0, 10, 0, 0.5, 1e3, 0.05, kNone, kNone},
        {1e3, 1e-6, 0, 10, 0, 0.5, 1e3, -1, kNone, kNone},
        // A time constant of 10^300 s: beyond the periods a double holds at 10^10 Hz.
        {1e300, 1, 0, 10, 0, 0.5, 1e10, 0.05, kNone, kNone},
    };
    for (const Row& row : table) {
        const std::optional<double> rl = row.rl > 0 ? std::optional(row.rl) : std::nullopt;
        const std::optional<Settling> s =
            SettlingOf(First(row.r, row.c, rl), row.e, row.d0, row.d, row.f, row.band);
        const QString where = QString("row %1").arg(&row - table);
        QVERIFY2(s.has_value() == !std::isnan(row.seconds), qPrintable(where));
        if (!s)
            continue;
        QVERIFY2(Near(s->seconds, row.seconds, 1e-13), qPrintable(where));
        QVERIFY2(Near(s->periods, row.periods, 1e-13), qPrintable(where));
    }
}

void SettlingTest::meanResponseStaysWithinTheBandFromThen() {
    // The mean response stepped in long double from the state settled at D0·E, scanned on a grid
    // of a two-hundredth of the slow time constant: its last point outside the band lies just
    // before the settling, and nothing after it leaves the band again. Bands of 1 % of the step
    // and ½ LSB of 12 bits of the full scale.
    const double kSteps[][2] = {{0, 0.5}, {0.3, 0.8}, {0.9, 0.1}, {0, 1}};
    for (const FilterCircuit& circuit : Circuits())
        for (const auto& step : kSteps) {
            const ref::Linear l = ref::Of(circuit);
            const double e = 10, g = *DcGain(circuit);
            const long double full = l.second ? l.x2 : l.x1;
            const double tau = 1 / ModelOf(circuit)->rate[0], f = 2 / tau;
            for (const double band :
                 {OnePercentBand(e, g, step[0], step[1]), std::ldexp(e * g, -13)}) {
                const QString where = QString("%1, D0 %2 D %3, band %4")
                                          .arg(Describe(circuit)).arg(step[0]).arg(step[1])
                                          .arg(band);
                const Settling s = *SettlingOf(circuit, e, step[0], step[1], f, band);
                const ref::State start{l.x1 * e * step[0], l.x2 * e * step[0]};
                const auto departure = [&](long double t) {
                    return ref::Output(l, ref::After(l, start, e * step[1], t)) -
                           full * e * step[1];
                };
                const long double grid = tau / 200;
                long double lastOut = -1;
                for (long double t = 0; t < 30 * tau; t += grid)
                    if (std::fabs(departure(t)) > band)
                        lastOut = t;
                QVERIFY2(lastOut < s.seconds && s.seconds <= lastOut + grid, qPrintable(where));
                QVERIFY2(std::fabs(departure(s.seconds * (1 - 1e-9))) > band, qPrintable(where));
                QVERIFY2(std::fabs(departure(s.seconds)) <= band * (1 + 1e-9), qPrintable(where));
            }
        }
}

VELMARO_TEST(SettlingTest);

#include "settling_tests.moc"
