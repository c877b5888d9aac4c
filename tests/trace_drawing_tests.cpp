// SPDX-License-Identifier: GPL-3.0-or-later
// The fast trace drawing against drawing every segment: the same pixels, whatever N and NP.

#include "app/palette.h"
#include "graph_window/plot_picture.h"
#include "graph_window/trace_drawing.h"
#include "tests/reference_plot.h"
#include "tests/test_registry.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace app;
using namespace graph_window;
using test_state::SimulatedState;

namespace {

// A picture of the graph window's plot area: 1001 x 609 inside a two-pixel border.
std::unique_ptr<PlotPicture> MakePlot() {
    auto plot = std::make_unique<PlotPicture>(QSize(997, 605), kLightYellow);
    plot->SetScale(kPlotCoordinates);
    return plot;
}

enum class Shape { Random, Smooth, Steps, Zero };

// Arrays shaped like the engine's (indices 0 to N+1) with the statistics that scale them.
SimulatedState Waveforms(std::int32_t N, std::int32_t NP, Shape shape, std::mt19937_64& random) {
    SimulatedState s;
    s.N = N;
    s.NP = NP;
    s.Vi.assign(std::size_t(N) + 2, 0);
    s.iC.assign(std::size_t(N) + 2, 0);
    s.Vo.assign(std::size_t(N) + 2, 0);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (std::int32_t i = 1; i <= N + 1; ++i) {
        const double phase = 2 * M_PI * i / N;
        switch (shape) {
        case Shape::Random:
            s.Vi[i] = 10 * std::abs(unit(random));
            s.iC[i] = 0.01 * unit(random);
            s.Vo[i] = 3 + unit(random);
            break;
        case Shape::Smooth:
            s.Vi[i] = i <= std::max(1, N / 3) ? 10 : 0;
            s.iC[i] = 0.007 * std::sin(phase);
            s.Vo[i] = 2 + std::cos(phase);
            break;
        case Shape::Steps:
            s.Vi[i] = (i / 7) % 2 || i == 2 ? 5 : 0;
            s.iC[i] = (i / 3) % 2 ? -1e-3 : 2e-3;
            s.Vo[i] = (i % 11) * 0.3 - 1; // negative samples fall below the plot
            break;
        case Shape::Zero:
            break;
        }
    }
    const auto largest = [N](const std::vector<double>& x) {
        double m = 0;
        for (std::int32_t i = 1; i <= N; ++i)
            m = std::max(m, std::abs(x[i]));
        return m;
    };
    s.ViMax = largest(s.Vi);
    s.IcMax = largest(s.iC);
    s.VoMax = largest(s.Vo);
    return s;
}

// The samples as a run that the drawing takes.
std::shared_ptr<const engine::SimulatedRun> AsRun(const SimulatedState& s) {
    return engine::SimulatedRun::OfSamples(s.Vi, s.Vo, s.iC, 1e-6, 1000);
}

// The reference divides by the maxima as written; an all-zero trace must be left out of it.
bool CanDrawLiterally(const SimulatedState& s) { return s.ViMax > 0 && s.IcMax > 0 && s.VoMax > 0; }

int DifferentPixels(const QImage& a, const QImage& b) {
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            different += a.pixel(x, y) != b.pixel(x, y);
    return different;
}

} // namespace

class TraceDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheSamePixelsAsEverySegment_data() {
        QTest::addColumn<int>("N");
        QTest::addColumn<int>("NP");
        QTest::addColumn<int>("shape");
        const std::pair<int, int> settings[] = {
            {2, 1},     {3, 1},     {10, 1},   {10, 2},   {11, 3},    {500, 1},   {997, 1},
            {998, 1},   {1000, 10}, {5000, 1}, {5000, 7}, {20000, 1}, {20000, 3}, {300, 997},
            {50, 4000}, {7, 4979},  {7, 4981}, {3, 6000}, {40, 12000}};
        for (auto [N, NP] : settings)
            for (int shape : {0, 1, 2})
                QTest::addRow("N=%d NP=%d shape %d", N, NP, shape) << N << NP << shape;
    }
    void drawsTheSamePixelsAsEverySegment() {
        QFETCH(int, N);
        QFETCH(int, NP);
        QFETCH(int, shape);
        std::mt19937_64 random(std::uint64_t(N) * 7919 + NP);
        const SimulatedState s = Waveforms(N, NP, Shape(shape), random);
        QVERIFY(CanDrawLiterally(s));
        auto fast = MakePlot(), literal = MakePlot();
        DrawTraces(*fast, *AsRun(s), s.NP);
        DrawTracesSegmentBySegment(*literal, s);
        QCOMPARE(DifferentPixels(fast->Picture(), literal->Picture()), 0);
    }

    void anAllZeroTraceLiesOnItsBaseline() {
        std::mt19937_64 random(1);
        const SimulatedState s = Waveforms(10, 1, Shape::Zero, random);
        auto plot = MakePlot();
        DrawTraces(*plot, *AsRun(s), s.NP);
        const QImage& picture = plot->Picture();
        const int redRow = plot->ToPixel(0, 80).y(), greenRow = plot->ToPixel(0, 60).y();
        const int blueRow = plot->ToPixel(0, 0.1f).y();
        // Drawn from the first sample (x = 10) to the last (x = 100), nothing else.
        for (int column = plot->ToPixel(10, 0).x(); column < picture.width(); ++column) {
            QCOMPARE(picture.pixel(column, redRow), kRed);
            QCOMPARE(picture.pixel(column, greenRow), kGreen);
            QCOMPARE(picture.pixel(column, blueRow), kBlue);
        }
        int coloured = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                coloured += picture.pixel(x, y) != kLightYellow;
        QCOMPARE(coloured, 3 * (picture.width() - plot->ToPixel(10, 0).x()));
    }

    void nothingIsDrawnWithoutASegmentOrAPeriod() {
        std::mt19937_64 random(2);
        for (auto [N, NP] : {std::pair{1, 10}, {10, 0}, {10, -3}}) {
            SimulatedState s = Waveforms(N, 1, Shape::Random, random);
            s.NP = NP;
            auto plot = MakePlot();
            DrawTraces(*plot, *AsRun(s), s.NP);
            QCOMPARE(DifferentPixels(plot->Picture(), MakePlot()->Picture()), 0);
        }
    }

    void hugePeriodCountsCostNoMoreThanAFewThousand() {
        // Two billion periods: a literal drawing would never end; the picture is the band of
        // each trace's extremes across the whole width.
        std::mt19937_64 random(3);
        const SimulatedState s = Waveforms(100, 2147483647, Shape::Smooth, random);
        auto plot = MakePlot();
        DrawTraces(*plot, *AsRun(s), s.NP);
        const QImage& picture = plot->Picture();
        for (int column : {0, 1, 498, 995, 996})
            for (float y : {98.0f, 80.0f, 78.0f, 42.0f, 36.1f})
                QVERIFY(picture.pixel(column, plot->ToPixel(0, y).y()) != kLightYellow);
    }
};

VELMARO_TEST(TraceDrawingTest);
#include "trace_drawing_tests.moc"
