// SPDX-License-Identifier: GPL-3.0-or-later
// The plot library apart from any window: where the ticks of linear and logarithmic axes go,
// traces as the lowest to the highest value of each column, the plot's menu and the keys that
// reach it, and pictures saved in the format their name asks for.

#include "plot/chart.h"
#include "plot/column_trace.h"
#include "plot/files.h"
#include "plot/plot_menu.h"
#include "plot/ticks.h"
#include "tests/test_registry.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <vector>

using namespace plot;

namespace {

// "d×t" for each tick, with "*" after a labelled one: "0×1* 0×2 … 1×1*".
QString TicksText(const std::vector<LogTick>& ticks) {
    QStringList texts;
    for (const LogTick& tick : ticks)
        texts << QStringLiteral("%1×%2%3").arg(tick.decade).arg(tick.times).arg(
                     tick.labelled ? "*" : "");
    return texts.join(' ');
}

struct Range {
    double low, high;
};

} // namespace

class PlotLibraryTest : public QObject {
    Q_OBJECT
private slots:
    void linearTicksFallOnRoundSteps_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("most");
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<int>("decimals");
        QTest::newRow("tenths") << 0.0 << 1.0 << 5 << std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1}
                                << 1;
        QTest::newRow("across zero") << -3.0 << 7.0 << 5 << std::vector<double>{-2, 0, 2, 4, 6}
                                     << 0;
        QTest::newRow("fives") << 12.0 << 31.0 << 4 << std::vector<double>{15, 20, 25, 30} << 0;
        QTest::newRow("a single value") << 2.5 << 2.5 << 6 << std::vector<double>{2.5} << 0;
        QTest::newRow("far from zero") << 1e300 << 1.0000000000000001e300 << 6
                                       << std::vector<double>{1e300} << 0;
        QTest::newRow("steps beyond counting") << 1e20 << 1e20 + 4e4 << 4 << std::vector<double>{}
                                               << 0;
    }
    void linearTicksFallOnRoundSteps() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, most);
        QFETCH(std::vector<double>, values);
        QFETCH(int, decimals);
        const Ticks ticks = TicksOver(low, high, most);
        QCOMPARE(ticks.values.size(), values.size());
        for (std::size_t k = 0; k < values.size(); ++k)
            QVERIFY2(std::fabs(ticks.values[k] - values[k]) <= 1e-12 * std::fabs(values[k]),
                     qPrintable(QString::number(ticks.values[k])));
        QCOMPARE(DecimalsFor(ticks.step), decimals);
    }

    void logTicksLabelDecadesFarEnoughApart_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QString>("ticks");
        // 100 pixels a decade: each decade labelled, the lines between unlabelled.
        QTest::newRow("wide decades")
            << 0.0 << 2.0 << 200.0
            << "0×1* 0×2 0×3 0×4 0×5 0×6 0×7 0×8 0×9 1×1* 1×2 1×3 1×4 1×5 1×6 1×7 1×8 1×9 2×1*";
        // 10 pixels a decade: every tenth decade labelled, counted from decade 0.
        QTest::newRow("narrow decades")
            << -5.0 << 15.0 << 200.0
            << "-5×1 -4×1 -3×1 -2×1 -1×1 0×1* 1×1 2×1 3×1 4×1 5×1 6×1 7×1 8×1 9×1 10×1* 11×1 "
               "12×1 13×1 14×1 15×1";
        // 30 pixels a decade: every fifth.
        QTest::newRow("every fifth") << 3.0 << 7.0 << 120.0 << "3×1 4×1 5×1* 6×1 7×1";
        // Within one decade the lines between are labelled too.
        QTest::newRow("inside a decade") << 0.2 << 0.9 << 400.0 << "0×2* 0×3* 0×4* 0×5* 0×6* 0×7*";
        QTest::newRow("no range") << 1.0 << 1.0 << 400.0 << "";
        QTest::newRow("no pixels") << 0.0 << 1.0 << 0.0 << "";
    }
    void logTicksLabelDecadesFarEnoughApart() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, pixels);
        QFETCH(QString, ticks);
        QCOMPARE(TicksText(LogTicksOver(low, high, pixels, 70, 40)), ticks);
    }

    void decadesHoldTheRange() {
        LogScale scale = DecadesOver(0.5, 20);
        QCOMPARE(scale.lo, -1);
        QCOMPARE(scale.hi, 2);
        scale.from = 10, scale.to = 310;
        QCOMPARE(scale.At(0.1), 10.0);
        QCOMPARE(scale.At(1), 110.0);
        QCOMPARE(scale.At(100), 310.0);
        const LogScale one = DecadesOver(10, 10); // a single value still has a decade
        QCOMPARE(one.lo, 1);
        QCOMPARE(one.hi, 2);
    }

    // Each column covers the rows from its lowest to its highest value, one pixel at least.
    void columnTracesCoverEachColumnsRange() {
        QImage image(QSize(200, 140), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ChartPainter chart(painter, image.size());
        const QRect area = chart.Area();
        const ValueRange rows{0, 10};
        const std::vector<Range> ranges{{0, 10}, {5, 5}, {2, 3}};
        chart.ColumnTrace(ranges, rows, kTraceColour);
        painter.end();
        const auto covered = [&](int column) {
            QList<int> found;
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(area.left() + column, y) == QColor::fromRgb(kTraceColour).rgb())
                    found << y;
            return found.isEmpty() ? QPair<int, int>{-1, -1}
                                   : QPair<int, int>{found.first(), found.last()};
        };
        const auto rowOf = [&](double value) { return int(std::floor(rows.Row(value, area) + 0.5)); };
        QCOMPARE(covered(0), (QPair<int, int>{area.top(), area.bottom()}));
        QCOMPARE(covered(1), (QPair<int, int>{rowOf(5), rowOf(5)}));
        QCOMPARE(covered(2), (QPair<int, int>{rowOf(3), rowOf(2)}));
        QCOMPARE(covered(3), (QPair<int, int>{-1, -1}));
    }

    // The spans of one trace, as both plots write them: spans of a column that touch or overlap
    // are written once; rows are held within a pixel of the area (a value that is not a number
    // lies above it), so a span far off it lights nothing of it.
    void columnSpansJoinWithinAColumn_data() {
        QTest::addColumn<QList<QList<double>>>("spans"); // column, y1, y2
        QTest::addColumn<QStringList>("lines");           // "column:top-bottom"
        const double nan = std::nan("");
        QTest::newRow("overlapping") << QList<QList<double>>{{3, 2, 5}, {3, 4, 9}}
                                     << QStringList{"3:2-9"};
        QTest::newRow("touching, either order") << QList<QList<double>>{{3, 7, 6}, {3, 5, 2}}
                                                << QStringList{"3:2-7"};
        QTest::newRow("a row apart") << QList<QList<double>>{{3, 2, 3}, {3, 5, 6}}
                                     << QStringList{"3:2-3", "3:5-6"};
        QTest::newRow("next column") << QList<QList<double>>{{3, 2, 5}, {4, 2, 5}}
                                     << QStringList{"3:2-5", "4:2-5"};
        QTest::newRow("halves round down the area") << QList<QList<double>>{{1, 2.5, 4.49}}
                                                    << QStringList{"1:3-4"};
        QTest::newRow("far off, not a number") << QList<QList<double>>{{1, -1e300, 1e300}, {2, nan, 4}}
                                               << QStringList{"1:0-11", "2:0-4"};
    }
    void columnSpansJoinWithinAColumn() {
        QFETCH(QList<QList<double>>, spans);
        QFETCH(QStringList, lines);
        struct Recorder {
            QStringList lines;
            void Line(QPoint from, QPoint to) {
                QCOMPARE(from.x(), to.x());
                lines << QStringLiteral("%1:%2-%3").arg(from.x()).arg(from.y()).arg(to.y());
            }
        } recorder;
        {
            ColumnSpans<Recorder> writer(recorder);
            for (const QList<double>& span : spans) {
                const int a = ClippedRow(span[1], 1, 10), b = ClippedRow(span[2], 1, 10);
                writer.Add(int(span[0]), std::min(a, b), std::max(a, b));
            }
        }
        QCOMPARE(recorder.lines, lines);
    }

    // The Menu key and Shift+F10 open the menu on any plot with the focus; its entries are
    // disabled and do nothing while the plot shows nothing, its settings stay enabled.
    void theMenuOpensFromTheKeyboardAndWaitsForAPlot() {
        QWidget plot;
        plot.resize(120, 80);
        plot.setFocusPolicy(Qt::StrongFocus);
        bool shows = false;
        int copies = 0;
        PlotMenu menu(plot, [&shows] { return shows; });
        QAction& copy = menu.Add(QStringLiteral("Copia grafico"), [&copies] { ++copies; });
        menu.AddSeparator();
        QAction& setting = menu.AddSetting(QStringLiteral("Adatta verticalmente"));
        menu.OpenOn(plot);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        for (const bool showing : {false, true}) {
            shows = showing;
            for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier},
                                                 std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
                QTest::keyClick(&plot, key, modifiers);
                QCOMPARE(QApplication::activePopupWidget(), &menu.Menu());
                QCOMPARE(copy.isEnabled(), showing);
                QVERIFY(setting.isEnabled());
                menu.Menu().close();
            }
            copy.trigger();
            QCOMPARE(copies, showing ? 1 : 0);
        }
        QTest::keyClick(&plot, Qt::Key_F10); // without Shift, no menu
        QVERIFY(!QApplication::activePopupWidget());
    }

    // The name's suffix picks the format, in any case; a name without one the program writes
    // gets a PNG; the title goes into an SVG.
    void savesPicturesInTheFormatTheirNameAsksFor_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << "a.png" << QByteArray("png");
        QTest::newRow("JPG") << "a.JPG" << QByteArray("jpeg");
        QTest::newRow("bmp") << "a.bmp" << QByteArray("bmp");
        QTest::newRow("svg") << "a.Svg" << QByteArray("svg");
        QTest::newRow("unknown suffix") << "a.1" << QByteArray("png");
    }
    void savesPicturesInTheFormatTheirNameAsksFor() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QImage shown(QSize(40, 30), QImage::Format_RGB32);
        shown.fill(Qt::yellow);
        QCOMPARE(SavePicture(path, shown, "Titolo",
                             [](QPainter& painter) { painter.drawLine(0, 0, 39, 29); }),
                 QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (format == "svg") {
            QVERIFY(bytes.contains("<title>Titolo</title>"));
            QVERIFY(bytes.contains("viewBox=\"0 0 40 30\""));
        } else {
            QCOMPARE(QImageReader(path).format(), format);
            QCOMPARE(QImageReader(path).size(), QSize(40, 30));
        }
        QVERIFY(!SavePicture(folder.filePath("missing/b.png"), shown, "", [](QPainter&) {})
                     .isEmpty());
    }
};

VELMARO_TEST(PlotLibraryTest);

#include "plot_library_tests.moc"
