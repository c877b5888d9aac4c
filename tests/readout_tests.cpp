// SPDX-License-Identifier: GPL-3.0-or-later
// The read-out as a function of the pointer: band selection and the tooltip text.

#include "graph_window/readout.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QTest>

#include <cmath>

using namespace app;
using namespace graph_window;

namespace {

// The worked example's statistics, as a plot of it leaves them.
const TraceScales kExample{10, 0.007404369, 3.336068};

// The plot on show, drawn with NP periods at f.
DrawnPlot Drawn(std::int32_t NP = 1, double f = 1000, const TraceScales& scales = kExample) {
    return DrawnPlot{10, NP, f, (1 / f) / 10, scales, 2000, std::nullopt, nullptr};
}

QString Read(Trace trace, float x, float y, std::int32_t NP = 1, double f = 1000,
             const TraceScales& scales = kExample) {
    return ReadoutText(trace, x, y, Drawn(NP, f, scales)).value_or("(nothing)");
}

} // namespace

class ReadoutTest : public QObject {
    Q_OBJECT
private slots:
    void theHeightSelectsTheBand() {
        QCOMPARE(TraceAtHeight(100), Trace::Vi);
        QCOMPARE(TraceAtHeight(80), Trace::Vi);
        QCOMPARE(TraceAtHeight(79.99f), Trace::Ic);
        QCOMPARE(TraceAtHeight(40), Trace::Ic);
        QCOMPARE(TraceAtHeight(39.99f), Trace::Vo);
        QCOMPARE(TraceAtHeight(0.1f), Trace::Vo);
        QCOMPARE(TraceAtHeight(0.05f), Trace::None);
        QCOMPARE(TraceAtHeight(-3), Trace::None);
    }

    void readsTheTracesOfTheWorkedExample() {
        LocaleScope english(EnglishLocale());
        QCOMPARE(Read(Trace::Vi, 20, 98), QString("t= 200.00usec ; Vi(t) = 1.00E+01V"));
        QCOMPARE(Read(Trace::Ic, 20, 78), QString("t= 200.00usec ; iC(t) = 7.40E-03A"));
        QCOMPARE(Read(Trace::Vo, 30, 36.1f), QString("t= 300.00usec ; Vo(t) = 3.34E+00V"));
        QCOMPARE(Read(Trace::Vi, 50, 89, 10, 1000), QString("t= 5000.00usec ; Vi(t) = 5.00E+00V"));
    }

    void readsBaselinesEdgesAndNegativeValues() {
        LocaleScope english(EnglishLocale());
        QCOMPARE(Read(Trace::Vi, 0, 80), QString("t= 0.00usec ; Vi(t) = 0.00E+00V"));
        QCOMPARE(Read(Trace::Vi, 100, 100, 10), QString("t= 10000.00usec ; Vi(t) = 1.11E+01V"));
        QCOMPARE(Read(Trace::Ic, 0, 51, 1, 1000, {10, 0.002, 1}),
                 QString("t= 0.00usec ; iC(t) = -1.00E-03A"));
        // Below its baseline the output voltage reads slightly negative.
        QCOMPARE(Read(Trace::Vo, 0, 0.05f, 1, 1000, {1, 1, 36}),
                 QString("t= 0.00usec ; Vo(t) = -5.00E-02V"));
        QCOMPARE(Read(Trace::Vi, 50, 90, 1, -1000), QString("t= -500.00usec ; Vi(t) = 5.56E+00V"));
        // Where no trace is drawn there is nothing to read.
        QCOMPARE(Read(Trace::Vi, 73, 90, 0), QString("(nothing)"));
        QCOMPARE(Read(Trace::Vi, 0, 90, -5), QString("(nothing)"));
        // A zero made negative below the baseline of a flat trace reads as zero.
        QCOMPARE(Read(Trace::Vo, 0, 0.05f, 1, 1000, {1, 1, 0}),
                 QString("t= 0.00usec ; Vo(t) = 0.00E+00V"));
    }

    void showsTheLocaleSeparator() {
        LocaleScope italian(ItalianLocale());
        QCOMPARE(Read(Trace::Vi, 20, 98), QString("t= 200,00usec ; Vi(t) = 1,00E+01V"));
    }

    void givesNoReadingWhereThereIsNone() {
        QVERIFY(!ReadoutText(Trace::None, 50, 50, Drawn()));
        QVERIFY(!ReadoutText(Trace::Vi, 50, 90, std::nullopt));                   // no plot
        QVERIFY(!ReadoutText(Trace::Vi, 50, 90, Drawn(2147483647, 1e-300)));      // infinite time
        QVERIFY(!ReadoutText(Trace::Vi, 50, 100, Drawn(1, 1000, {1e308, 1, 1}))); // infinite value
    }
};

VELMARO_TEST(ReadoutTest);
#include "readout_tests.moc"
