// SPDX-License-Identifier: GPL-3.0-or-later
// The view of the plot as a value: zoom about the pointer within its limits, pan clamped to the
// plot, the fit of each band to its samples in the span, and the cursors on the nearest sample
// with their readings.

#include "graph_window/plot_picture.h"
#include "graph_window/plot_view.h"
#include "graph_window/readout.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QTest>

using namespace graph_window;
using namespace plot;

namespace {

using Span = std::optional<TimeSpan>; // none: the whole plot

// A plot of N = 10 samples a period at 1 kHz (dt = 100 us) over NP periods: Vi is 2 for samples
// 1 to 5 and 0 after, iC is i/1000 A and Vo is i V for sample i.
DrawnPlot Plot(std::int32_t NP) {
    std::vector<double> vi(12), ic(12), vo(12);
    for (int i = 1; i <= 11; ++i) {
        vi[i] = i <= 5 ? 2 : 0;
        ic[i] = i / 1000.0;
        vo[i] = i;
    }
    return {10,
            NP,
            1000,
            1e-4,
            {2, 0.01, 10},
            20,
            std::nullopt,
            engine::SimulatedRun::OfSamples(vi, vo, ic, 1e-4, 1000)};
}

PlotView Zoomed(Span zoom, bool fit = false) {
    PlotView view;
    view.zoom = zoom;
    view.fit = fit;
    return view;
}

bool Near(Span a, Span b) {
    const auto near = [](long double x, long double y) { return std::fabs(x - y) < 1e-12L; };
    return a.has_value() == b.has_value() &&
           (!a || (near(a->start, b->start) && near(a->length, b->length)));
}

QByteArray Describe(Span span) {
    return span ? QByteArray::number(double(span->start)) + " + " +
                      QByteArray::number(double(span->length))
                : "whole";
}

} // namespace

Q_DECLARE_METATYPE(Span)

class PlotViewTest : public QObject {
    Q_OBJECT
private slots:
    void zoomsAboutThePointerWithinItsLimits_data() {
        QTest::addColumn<int>("N");
        QTest::addColumn<int>("NP");
        QTest::addColumn<Span>("before");
        QTest::addColumn<double>("share");
        QTest::addColumn<int>("angle");
        QTest::addColumn<Span>("after");
        const auto row = [](const char* name, int N, int NP, Span before, double share, int angle,
                            Span after) {
            QTest::newRow(name) << N << NP << before << share << angle << after;
        };
        row("in from the whole, about the middle", 10, 10, {}, 0.5, 120, TimeSpan{1, 8});
        row("in at the left edge", 10, 10, {}, 0, 120, TimeSpan{0, 8});
        row("two steps in, a quarter along", 10, 10, TimeSpan{2, 4}, 0.25, 240,
            TimeSpan{3 - 0.25L * 4 / 1.5625L, 4 / 1.5625L});
        row("half a step", 10, 10, TimeSpan{2, 4}, 0, 60, TimeSpan{2, 4 / std::sqrt(1.25L)});
        row("out to the whole", 10, 10, TimeSpan{1, 8}, 0.5, -120, {});
        row("out of the whole", 10, 10, {}, 0.3, -120, {});
        row("out against the right end", 10, 10, TimeSpan{6, 4}, 0, -240, TimeSpan{3.75L, 6.25L});
        row("in to ten steps", 10, 10, TimeSpan{4, 1.1L}, 1, 120, TimeSpan{4.1L, 1});
        row("in past ten steps", 1000, 1, TimeSpan{0.5L, 0.011L}, 0.5, 600,
            TimeSpan{0.5005L, 0.01L});
        row("fewer than ten steps in all", 2, 3, {}, 0.5, 120, {});
    }
    void zoomsAboutThePointerWithinItsLimits() {
        QFETCH(int, N);
        QFETCH(int, NP);
        QFETCH(Span, before);
        QFETCH(double, share);
        QFETCH(int, angle);
        QFETCH(Span, after);
        const Span zoomed =
            ZoomedAbout(SpanOf(Zoomed(before), NP), share, WheelFactor(angle), LimitsOf(N, NP));
        QVERIFY2(Near(zoomed, after), Describe(zoomed));
    }

    void panningStaysWithinThePlot_data() {
        QTest::addColumn<Span>("before");
        QTest::addColumn<double>("from"); // a drag from share to share, or a key's share
        QTest::addColumn<double>("to");
        QTest::addColumn<Span>("after");
        QTest::newRow("drag right")
            << Span(TimeSpan{4, 2}) << 0.5 << 0.75 << Span(TimeSpan{3.5L, 2});
        QTest::newRow("drag past the start")
            << Span(TimeSpan{1, 2}) << 0.2 << 1.0 << Span(TimeSpan{0, 2});
        QTest::newRow("drag past the end")
            << Span(TimeSpan{7, 2}) << 0.9 << 0.0 << Span(TimeSpan{8, 2});
        QTest::newRow("drag the whole") << Span() << 0.1 << 0.9 << Span();
        QTest::newRow("Right") << Span(TimeSpan{2, 4}) << 0.1 << qQNaN() << Span(TimeSpan{2.4L, 4});
        QTest::newRow("Left at the start")
            << Span(TimeSpan{0.2L, 4}) << -0.1 << qQNaN() << Span(TimeSpan{0, 4});
    }
    void panningStaysWithinThePlot() {
        QFETCH(Span, before);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(Span, after);
        const TimeSpan span = SpanOf(Zoomed(before), 10);
        const Span moved = std::isnan(to) ? Shifted(span, from, LimitsOf(10, 10))
                                          : Dragged(span, from, to, LimitsOf(10, 10));
        QVERIFY2(Near(moved, after), Describe(moved));
    }

    // Heights at the band's baseline and full scale for the smallest and largest sample in the
    // span, and the read-out on that scale.
    void fitsEachBandToItsSamplesInTheSpan_data() {
        QTest::addColumn<int>("trace");
        QTest::addColumn<Span>("span");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("reading"); // at the middle of the width, half the band up
        const auto row = [](const char* name, Trace trace, Span span, double low, double high,
                            const char* reading) {
            QTest::newRow(name) << int(trace) << span << low << high << QString(reading);
        };
        // Samples 3 and 4 lie within 0.25 to 0.45 periods.
        row("rising", Trace::Vo, TimeSpan{0.25L, 0.2L}, 3, 4, "t= 350.00usec ; Vo(t) = 3.50E+00V");
        row("constant", Trace::Vi, TimeSpan{0.25L, 0.2L}, 2, 2,
            "t= 350.00usec ; Vi(t) = 2.00E+00V");
        row("across a period's end", Trace::Vo, TimeSpan{0.85L, 0.3L}, 1, 10,
            "t= 1000.00usec ; Vo(t) = 5.50E+00V");
        row("whole", Trace::Ic, {}, 0.001, 0.01, "t= 1000.00usec ; iC(t) = 5.50E-03A");
    }
    void fitsEachBandToItsSamplesInTheSpan() {
        QFETCH(int, trace);
        QFETCH(Span, span);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, reading);
        LocaleScope english(EnglishLocale());
        const DrawnPlot plot = Plot(2);
        const TraceGeometry& band = GeometryOf(Trace(trace));
        const BandScale scale = ScaleOf(Trace(trace), plot, Zoomed(span, true));
        QCOMPARE(scale.Height(low, band), float(band.baseline));
        QCOMPARE(scale.Height(high, band),
                 float(band.baseline + (low == high ? 0 : band.fullScale)));
        const float middle = float(band.baseline + band.fullScale / 2);
        QCOMPARE(ReadoutText(Trace(trace), 50, middle, plot, Zoomed(span, true)), reading);
    }

    void cursorsSitOnTheNearestSampleAndReadInBothLocales_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<double>>("clicks"); // shares of the whole span: A, then B if any
        QTest::addColumn<int>("bTrace");
        QTest::addColumn<QString>("label");
        const QString both = "A: t = 300.00 µs   B: t = 1400.00 µs   Δt = 1100.00 µs   "
                             "1/Δt = 9.09E-01 kHz   ΔiC = 1.00E-03 A";
        QTest::newRow("A only") << EnglishLocale() << QList<double>{0.14} << 0
                                << "A: t = 300.00 µs   Vo(t) = 3.00E+00 V";
        QTest::newRow("A before the first sample")
            << EnglishLocale() << QList<double>{0.0} << 0 << "A: t = 100.00 µs   Vo(t) = 1.00E+00 V";
        QTest::newRow("A and B") << EnglishLocale() << QList<double>{0.151, 0.7} << int(Trace::Ic)
                                 << both;
        QTest::newRow("A and B, Italian") << ItalianLocale() << QList<double>{0.151, 0.7}
                                          << int(Trace::Ic) << QString(both).replace('.', ',');
        QTest::newRow("on one sample")
            << EnglishLocale() << QList<double>{0.151, 0.149} << int(Trace::Vi)
            << "A: t = 300.00 µs   B: t = 300.00 µs   Δt = 0.00 µs   "
               "ΔVi = 0.00E+00 V";
        QTest::newRow("B after the last sample")
            << EnglishLocale() << QList<double>{0.4, 1.0} << int(Trace::Vo)
            << "A: t = 800.00 µs   B: t = 2000.00 µs   Δt = 1200.00 µs   "
               "1/Δt = 8.33E-01 kHz   ΔVo = 2.00E+00 V";
    }
    void cursorsSitOnTheNearestSampleAndReadInBothLocales() {
        QFETCH(QLocale, locale);
        QFETCH(QList<double>, clicks);
        QFETCH(int, bTrace);
        QFETCH(QString, label);
        LocaleScope scope(locale);
        const DrawnPlot plot = Plot(2);
        PlotView view = WithCursor({}, plot, CursorName::A, clicks[0], Trace::Vo);
        if (clicks.size() > 1)
            view = WithCursor(view, plot, CursorName::B, clicks[1], Trace(bTrace));
        QCOMPARE(CursorText(plot, view), label);
        QCOMPARE(CursorText(std::nullopt, view), QString());
        QCOMPARE(CursorText(plot, PlotView{}), QString());
    }
};

VELMARO_TEST(PlotViewTest);
#include "plot_view_tests.moc"
