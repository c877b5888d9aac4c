// SPDX-License-Identifier: GPL-3.0-or-later
// The filter chooser: the known figures of one RC against two stages, and the inputs it turns
// away. Each candidate against the closed form and an independent evaluation: the chooser
// window's tests.

#include "engine/filter_chooser.h"
#include "engine/step_response.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>

using namespace engine;

namespace {

const std::optional<double> kNone;

ChooserInput Input(int bits, std::optional<double> rl = kNone, Series series = Series::E12,
                   PartTolerances tolerances = {0.1, 0.01}) {
    return {bits, 5, 1e4, 1e4, rl, series, tolerances};
}

} // namespace

class FilterChooserTest : public QObject {
    Q_OBJECT

private slots:
    void theTradeOffGivesTheKnownFigures();
    void outOfRangeInputsChooseNothing();
    void secondCapacitorsAreTheSeriesValuesOfTheirQuotients();
};

void FilterChooserTest::theTradeOffGivesTheKnownFigures() {
    // Ripple of 1 LSB at D = 50 %, exact parts: periods, to the nearest, to come within ½ LSB
    // after a full-scale step. {bits, k (0: one RC), periods}.
    const double table[][3] = {{10, 0, 1952}, {10, 10, 65}, {12, 0, 9227}, {12, 10, 151}};
    for (const auto& row : table) {
        const ChooserInput input = Input(int(row[0]), kNone, Series::E12, {0, 0});
        const std::optional<double> k = row[1] > 0 ? std::optional<double>(row[1]) : kNone;
        const double lsb = *LeastSignificantBit(input, k);
        const double c = *ExactCapacitanceOf({input.r, k, kNone}, input.e, 0.5, input.f, lsb);
        const TradeOffPoint point = *TradeOffAt(input, k, c);
        const QString where = QString("%1 bits, k %2").arg(row[0]).arg(row[1]);
        QVERIFY2(std::fabs(point.worstRipple / lsb - 1) < 1e-9, qPrintable(where));
        QCOMPARE(std::round(point.settlingSeconds * input.f), row[2]);
    }
    // Along the curve, a larger C trades ripple for settling time.
    const ChooserInput input = Input(12, 2e4);
    const TradeOffPoint small = *TradeOffAt(input, 3.0, 1e-7),
                        large = *TradeOffAt(input, 3.0, 2e-7);
    QVERIFY(small.worstRipple > large.worstRipple && small.settlingSeconds < large.settlingSeconds);
}

void FilterChooserTest::outOfRangeInputsChooseNothing() {
    const double inf = std::numeric_limits<double>::infinity();
    ChooserInput inputs[] = {Input(0), Input(25), Input(8), Input(8), Input(8), Input(8), Input(8)};
    inputs[2].e = 0;
    inputs[3].f = inf;
    inputs[4].r = -1;
    inputs[5].rl = 0;
    inputs[6].tolerances = {1, 0};
    for (const ChooserInput& input : inputs)
        QVERIFY2(ChooseFilters(input).empty() && !LeastSignificantBit(input, 3.0) &&
                     !TradeOffAt(input, 3.0, 1e-7),
                 qPrintable(QString("bits %1 E %2 f %3 R %4")
                                .arg(input.bits)
                                .arg(input.e)
                                .arg(input.f)
                                .arg(input.r)));
    QVERIFY(!TradeOffAt(Input(8), 3.0, 0) && !TradeOffAt(Input(8), 0.0, 1e-7));
}

void FilterChooserTest::secondCapacitorsAreTheSeriesValuesOfTheirQuotients() {
    // The worked example at 16 bits, C/C2 in nF for k = 1, 3, 10, 30: 560/10 nF is 56 nF,
    // though the quotient lands an ulp above it.
    QString pairs;
    for (const FilterCandidate& c :
         ChooseFilters({16, 10, 1e4, 1e4, kNone, Series::E12, {0.1, 0.01}}))
        if (c.k)
            pairs += QString(" %1/%2").arg(*c.c * 1e9).arg(*c.c2 * 1e9);
    QCOMPARE(pairs, QString(" 560/560 560/220 560/56 560/22"));
}

VELMARO_TEST(FilterChooserTest);

#include "filter_chooser_tests.moc"
