// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window's plot on a screen of more than one pixel per pixel of the window, as
// QT_SCALE_FACTOR makes it (CTest runs this class at 1.5 and at 2): drawn in the screen's pixels,
// so that a line is one pixel of the screen wide, and read under the pointer as at scale 1.

#include "app/palette.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QMouseEvent>
#include <QTest>

using namespace graph_window;

namespace {

// How many rows of column x, from top to bottom, have colour: one count per stretch of them.
QList<int> Stretches(const QImage& image, int x, QRgb colour) {
    QList<int> stretches;
    int run = 0;
    for (int y = 0; y <= image.height(); ++y) {
        if (y < image.height() && image.pixel(x, y) == colour) {
            ++run;
        } else if (run > 0) {
            stretches << run;
            run = 0;
        }
    }
    return stretches;
}

} // namespace

class PlotScaleTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheGraphInTheScreensPixels() {
        const double ratio = qApp->devicePixelRatio();
        if (ratio == 1)
            QSKIP("only with QT_SCALE_FACTOR above 1");
        MainWindowSession session;
        session.setVerification({"10", "30", "1", "1", "1000", "10", "1", "2000"});
        QVERIFY(session.click("Command2").isEmpty());
        Form2& graph = session.main.GraphWindow();
        (void)QTest::qWaitForWindowExposed(&graph);
        PlotArea& plot = graph.Plot();
        QCOMPARE(plot.Picture().size(), QSize(qRound(997 * ratio), qRound(605 * ratio)));

        // On the screen: the picture one to one, so the columns are not copies of each other in
        // pairs, as those of a picture scaled up are, and each baseline is one row thick.
        const QImage shown = plot.grab().toImage();
        QCOMPARE(shown.devicePixelRatio(), ratio);
        int pairs = 0, equalPairs = 0;
        for (int x = 0; x + 1 < shown.width(); x += 2) {
            bool equal = true;
            for (int y = 0; y < shown.height() && equal; ++y)
                equal = shown.pixel(x, y) == shown.pixel(x + 1, y);
            ++pairs;
            equalPairs += equal;
        }
        QVERIFY2(equalPairs < pairs, qPrintable(QString::number(equalPairs)));
        const int beforeTheFirstSample =
            qRound(plot.contentsRect().left() * ratio) + plot.ToPixel(5, 0).x();
        for (const QRgb colour : {app::kRed, app::kGreen, app::kBlue})
            QCOMPARE(Stretches(shown, beforeTheFirstSample, colour), QList<int>{1});

        // The pointer reads where it points: the middle of the frame is the middle of the plot.
        const QPointF middle = plot.contentsRect().center();
        QMouseEvent move(QEvent::MouseMove, middle, plot.mapToGlobal(middle), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&plot, &move);
        QVERIFY(plot.LastPointer());
        QVERIFY(std::fabs(plot.LastPointer()->first - 50) < 0.2);
        QVERIFY(std::fabs(plot.LastPointer()->second - 50) < 0.2);
    }
};

VELMARO_TEST(PlotScaleTest);

#include "plot_scale_tests.moc"
