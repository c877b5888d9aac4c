// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring on the real graph window: the wheel, the keys, a drag, clicks and the fit change
// only the view, and the picture, the cursors' label and the read-out follow it; the plot and its
// data saved to files.

#include "app/number_text.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "graph_window/report_picture.h"
#include "graph_window/plot_clipboard.h"
#include "plot/files.h"
#include "graph_window/zoomed_drawing.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <bit>
#include <charconv>
#include <csignal>
#include <sys/resource.h>

using namespace graph_window;
using namespace plot;

namespace {

// The worked example over NP = 2 periods: 20 samples of 100 us across 996 columns, sample m
// at column 49.8·m.
struct Session : MainWindowSession {
    Form2& graph;
    PlotArea& plot;

    Session() : graph(main.GraphWindow()), plot(graph.Plot()) {
        const char* names[] = {"Text7",  "Text8",  "Text12", "Text9",
                               "Text10", "Text13", "Text14", "Text15"};
        const char* values[] = {"10", "30", "1", "1", "1000", "10", "2", "2000"};
        for (int k = 0; k < 8; ++k)
            field(names[k]).setText(values[k]);
        click("Command2");
        // Beside the main window, active, so that the pointer and the keys reach it.
        graph.move(main.frameGeometry().right() + 10, 0);
        Activate();
    }
    void Activate() {
        graph.activateWindow();
        (void)QTest::qWaitForWindowActive(&graph);
    }
    QPoint At(int column, int row) const {
        return InView(plot, plot.contentsRect().topLeft() + QPoint(column, row));
    }
    QString Label() const { return graph.findChild<QLabel*>("CursorLabel")->text(); }
    const engine::SimulatedRun& Run() const { return *plot.Surface().Drawn()->run; }
    void Wheel(int column, int angle) {
        const QPoint at = At(column, 100);
        QWheelEvent event(at, plot.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &event);
    }
    QString ReadAt(int column) {
        QTest::mouseMove(&plot, At(column, 101));
        QTest::mouseMove(&plot, At(column, 100));
        return plot.toolTip().section(" ; ", 0, 0);
    }
    QAction& MenuAction(const QString& text) {
        const QPoint at(100, 100);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, plot.mapToGlobal(at));
        QApplication::sendEvent(&plot, &click);
        QWidget* menu = QApplication::activePopupWidget();
        menu->close();
        Activate();
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return *action;
        qFatal("no action %s", qPrintable(text));
    }
};

// While alive, a file written by this process may not grow beyond a few bytes: writing more
// fails as on a full disk.
class FileSizeLimit {
public:
    FileSizeLimit() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit tight = saved_;
        tight.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

} // namespace

class PlotMeasuringTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        settings_.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
    }

    void zoomPanAndKeysChangeOnlyTheView() {
        LocaleScope english(EnglishLocale());
        Session s;
        const QImage whole = s.plot.Picture().copy();
        // Two wheel steps in at 500 us: the time under the pointer stays, the span is 1280 us.
        QCOMPARE(s.ReadAt(249), QString("t= 500.00usec"));
        s.Wheel(249, 240);
        QCOMPARE(s.plot.toolTip().section(" ; ", 0, 0), QString("t= 500.00usec"));
        QCOMPARE(s.ReadAt(0), QString("t= 180.00usec"));
        QVERIFY(s.plot.Picture() != whole);
        // The keys act with the focus on a trace selector, which keeps its choice.
        auto& option = *s.graph.findChild<QRadioButton*>("Option2");
        option.setChecked(true);
        option.setFocus();
        QTest::keyClick(&option, Qt::Key_Right); // a tenth of the span later
        QVERIFY(option.isChecked());
        QCOMPARE(s.ReadAt(0), QString("t= 308.00usec"));
        QTest::keyClick(&option, Qt::Key_Plus); // 1024 us about the middle, 948 us
        QCOMPARE(s.ReadAt(0), QString("t= 436.00usec"));
        // Dragged as a map: the time under the pointer when the button went down follows it.
        const QString pressed = s.ReadAt(498);
        QTest::mousePress(&s.plot, Qt::LeftButton, {}, s.At(498, 100));
        QTest::mouseMove(&s.plot, s.At(548, 100));
        QTest::mouseMove(&s.plot, s.At(598, 100));
        QCOMPARE(s.plot.toolTip().section(" ; ", 0, 0), pressed);
        QTest::mouseRelease(&s.plot, Qt::LeftButton, {}, s.At(598, 100));
        QCOMPARE(s.Label(), QString()); // a drag places no cursor
        // Home, then out of the whole: the specified picture, pixel for pixel.
        QTest::keyClick(&option, Qt::Key_Home);
        QCOMPARE(s.plot.Picture(), whole);
        QTest::keyClick(&option, Qt::Key_Minus);
        QCOMPARE(s.ReadAt(996), QString("t= 2000.00usec"));
        QCOMPARE(s.plot.Picture(), whole);
    }

    void cursorsAndTheFitFollowTheView_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << EnglishLocale();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void cursorsAndTheFitFollowTheView() {
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        const auto local = [&locale](QString text) {
            return text.replace('.', locale.decimalPoint());
        };
        Session s;
        // Samples 5 and 15, in the output's band, hold the same value a period apart.
        QTest::mouseClick(&s.plot, Qt::LeftButton, {}, s.At(249, 500));
        const QString a = local("A: t = 500.00 µs   Vo(t) = ") +
                          app::FormatNumber(s.Run().Vo[5], app::NumberPattern::Scientific2) + " V";
        QCOMPARE(s.Label(), a);
        QTest::mouseClick(&s.plot, Qt::LeftButton, Qt::ShiftModifier, s.At(747, 500));
        const QString both = local("A: t = 500.00 µs   B: t = 1500.00 µs   Δt = 1000.00 µs   "
                                   "1/Δt = 1.00E+00 kHz   ΔVo = 0.00E+00 V");
        QCOMPARE(s.Label(), both);
        // A solid and B dashed, in the cursors' colour, at their samples' columns.
        const QImage& picture = s.plot.Picture();
        QCOMPARE(picture.pixel(249, 300), kCursorColour);
        QCOMPARE(picture.pixel(747, 296), kCursorColour);
        QCOMPARE(picture.pixel(747, 300), s.plot.Surface().Background());
        // They stay through a zoom; a double-click shows the whole again, its first click undone.
        s.Wheel(600, 120);
        QCOMPARE(s.Label(), both);
        QTest::mouseClick(&s.plot, Qt::LeftButton, {}, s.At(600, 500));
        QTest::mouseDClick(&s.plot, Qt::LeftButton, {}, s.At(600, 500));
        QTest::mouseRelease(&s.plot, Qt::LeftButton, {}, s.At(600, 500));
        QCOMPARE(s.Label(), both);
        QVERIFY(!s.plot.Surface().View().zoom);

        // Fitted, the output's lowest sample sits on its baseline; Home keeps the fit, and so
        // does a new plot, which clears the cursors.
        const int baseline = s.plot.ToPixel(0, 0.1f).y();
        const auto blueAbove = [&] {
            int blue = 0;
            for (int column = 60; column < 996; ++column)
                blue += s.plot.Picture().pixel(column, baseline - 2) == app::kBlue;
            return blue;
        };
        QCOMPARE(blueAbove(), 0);
        QTest::keyClick(&s.graph, Qt::Key_F);
        QVERIFY(blueAbove() > 0);
        QVERIFY(s.MenuAction("Adatta verticalmente").isChecked());
        QTest::keyClick(&s.graph, Qt::Key_Home);
        QVERIFY(blueAbove() > 0);
        s.click("Command2");
        s.Activate();
        QVERIFY(blueAbove() > 0);
        QCOMPARE(s.Label(), QString());
        s.MenuAction("Adatta verticalmente").trigger();
        QCOMPARE(blueAbove(), 0);
        // Escape clears the cursors.
        QTest::mouseClick(&s.plot, Qt::LeftButton, {}, s.At(249, 500));
        QCOMPARE(s.Label(), a);
        QTest::keyClick(&s.graph, Qt::Key_Escape);
        QCOMPARE(s.Label(), QString());
    }

    void savesThePlotAndItsData_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English") << EnglishLocale() << ",";
        QTest::newRow("Italian") << ItalianLocale() << ";";
    }
    void savesThePlotAndItsData() {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        LocaleScope scope(locale);
        Session s;
        QTemporaryDir folder;
        QList<SaveQuestion> asked;
        SaveAnswer answer;
        s.graph.SetSaveFileChooser([&](QWidget&, const SaveQuestion& question) {
            asked << question;
            return answer;
        });
        const auto path = [&](const char* name) { return folder.filePath(name); };
        s.Wheel(300, 120);
        QTest::mouseClick(&s.plot, Qt::LeftButton, {}, s.At(249, 500));

        // Ctrl+S: a PNG of the picture on show in its frame, the suffix taken from the filter.
        // The frame's edges hold text: the time axis and the traces' values and names.
        answer = {path("grafico"), kPngFilter};
        QTest::keyClick(&s.graph, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(asked.last().caption, QString("Salva grafico"));
        QCOMPARE(asked.last().filters,
                 (QStringList{"Immagine PNG (*.png)", "Disegno SVG (*.svg)"}));
        const QImage png = QImage(path("grafico.png")).convertToFormat(QImage::Format_RGB32);
        const QRect inside(FramedArea(), QSize(997, 605));
        QCOMPARE(png.size(), ReportSize(QSize(997, 605)));
        QCOMPARE(png.copy(inside), s.plot.Picture());
        const auto inked = [&png](const QRect& strip) {
            int dark = 0;
            for (int x = strip.left(); x <= strip.right(); ++x)
                for (int y = strip.top(); y <= strip.bottom(); ++y)
                    dark += qGray(png.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(inked(QRect(0, inside.top(), inside.left() - 4, inside.height())) > 100);
        QVERIFY(inked(QRect(inside.left(), inside.bottom() + 5, inside.width(), 12)) > 100);
        QVERIFY(inked(QRect(inside.right() + 5, inside.top(), 40, inside.height())) > 50);
        // The format the name asks for, in any case; another name takes the filter's suffix.
        for (const auto& [name, written, format] :
             {std::tuple{"grafico.jpg", "grafico.jpg", "jpeg"},
              std::tuple{"grafico.1", "grafico.1.png", "png"}}) {
            answer = {path(name), kPngFilter};
            s.MenuAction("Salva grafico…").trigger();
            QImageReader reader(path(written));
            QCOMPARE(reader.format(), QByteArray(format));
            QCOMPARE(reader.size(), ReportSize(QSize(997, 605)));
        }

        // SVG: vector lines, no picture inside; the dialog opens in the folder used last.
        answer = {path("grafico.SVG"), kPngFilter};
        s.MenuAction("Salva grafico…").trigger();
        QCOMPARE(asked.last().start, path("grafico"));
        const QByteArray svg = Contents(path("grafico.SVG"));
        QVERIFY(svg.startsWith("<?xml") && svg.count("<path") > 5 && !svg.contains("<image"));
        for (const char* label : {"Vi [V]", "iC [mA]", "Vo [V]", "t [ms]"})
            QVERIFY2(svg.contains(QByteArray(">") + label + "</text>"), label);

        // The samples, read back exactly.
        answer = {path("dati"), kCsvFilter};
        s.MenuAction("Salva dati…").trigger();
        QCOMPARE(asked.last().filters, QStringList{"Dati CSV (*.csv)"});
        const QList<QByteArray> rows = Contents(path("dati.csv")).split('\n');
        QCOMPARE(rows.size(), 1 + 10 + 1);
        QCOMPARE(QString(rows.front()),
                 QStringList({"t [s]", "Vi [V]", "iC [A]", "Vo [V]"}).join(separator));
        for (int i = 1; i <= 10; ++i) {
            const QList<QByteArray> values = rows[i].split(separator.front().toLatin1());
            const engine::SimulatedRun& run = s.Run();
            const double expected[] = {i * run.dt, run.Vi[i], run.iC[i], run.Vo[i]};
            QCOMPARE(values.size(), 4);
            for (int k = 0; k < 4; ++k) {
                const QByteArray text =
                    QString(values[k]).replace(locale.decimalPoint(), ".").toLatin1();
                double value = 0;
                const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
                QVERIFY2(error == std::errc() && end == text.end(), text.constData());
                QCOMPARE(std::bit_cast<quint64>(value), std::bit_cast<quint64>(expected[k]));
            }
        }

        // Failures say why, and leave an earlier file as it was.
        const QString full = "Impossibile salvare il file " + path("dati.csv") +
                             ": la scrittura non è riuscita (il disco potrebbe essere pieno)!";
        const QByteArray before = Contents(path("dati.csv"));
        const QString missing = "Impossibile salvare il file " + path("no/dati.csv") +
                                ": la cartella " + path("no") + " non esiste!";
        MessageBoxAnswerer answerer;
        answer = {path("dati.csv"), kCsvFilter};
        {
            FileSizeLimit full;
            s.MenuAction("Salva dati…").trigger();
            answer = {path("grafico.png"), kPngFilter};
            s.MenuAction("Salva grafico…").trigger();
        }
        answer = {path("no/dati.csv"), kCsvFilter};
        s.MenuAction("Salva dati…").trigger();
        QCOMPARE(answerer.texts(),
                 (QStringList{full, QString(full).replace("dati.csv", "grafico.png"), missing}));
        QCOMPARE(Contents(path("dati.csv")), before);
        QCOMPARE(QImage(path("grafico.png")), png);
        // So does a stop, which the first look at it after 4096 rows sees.
        const std::vector<double> zeros(5002);
        DrawnPlot stopped = *s.plot.Surface().Drawn();
        stopped.run = engine::SimulatedRun::OfSamples(zeros, zeros, zeros, 1e-6, 200);
        stopped.N = 5000;
        engine::RunControl stop;
        stop.RequestStop();
        QVERIFY_THROWS_EXCEPTION(engine::WorkStopped,
                                 WriteSamplesCsv(path("dati.csv"), stopped, ".", &stop));
        QCOMPARE(Contents(path("dati.csv")), before);
    }

private:
    std::optional<QTemporaryDir> settings_; // where QSettings keeps the last folder
};

VELMARO_TEST(PlotMeasuringTest);
#include "plot_measuring_tests.moc"
