// SPDX-License-Identifier: GPL-3.0-or-later
// "Grafici" end to end: the graph window, its plot, the results and the mouse read-out,
// driven from the main window as a user drives them.

#include "app/control_table.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "graph_window/report_picture.h"
#include "main_window/form1.h"
#include "tests/address_space_limit.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <bit>
#include <charconv>
#include <functional>
#include <memory>
#include <vector>

using namespace app;
using namespace graph_window;
using namespace main_window;

namespace {

// The main window with the graph command's fields at hand, and the graph window it opens.
struct Session : MainWindowSession {
    Session() {
        // Quitting with the fields changed goes on without saving them.
        main.Files().SetAskToSave([](const QString&) { return main_window::SaveChoice::Discard; });
    }
    void setWorkedExample(const char* NP = "1") {
        setVerification({"10", "30", "1", "1", "1000", "10", NP, "2000"});
    }
    QStringList plot() { return click("Command2"); }

    static Form2* FindGraph() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* form2 = qobject_cast<Form2*>(window))
                return form2;
        return nullptr;
    }
    QString result(const char* label) { return FindGraph()->findChild<QLabel*>(label)->text(); }

    // The graph window moved beside the main window: offscreen, both open at the same place,
    // and a pointer over the plot would be over the main window on top of it.
    Form2* graphBeside() {
        Form2* graph = FindGraph();
        graph->move(main.frameGeometry().right() + 10, 0);
        (void)QTest::qWaitForWindowExposed(graph);
        return graph;
    }
};

// The colour drawn at a point of the plot given in user coordinates.
QRgb At(PlotArea& plot, float x, float y) {
    const QPoint pixel = plot.ToPixel(x, y);
    return plot.Picture().pixel(pixel);
}

// The picture on show as a fingerprint: its size and the SHA-256 of its pixels, row by row.
QString Fingerprint(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < pixels.height(); ++y)
        hash.addData(QByteArrayView(pixels.constScanLine(y), pixels.width() * 4));
    return QStringLiteral("%1x%2 ").arg(pixels.width()).arg(pixels.height()) +
           QString::fromLatin1(hash.result().toHex());
}

QRgb kBackground = kLightYellow;

// The actions of the plot's context menu, opened by a right click and closed again.
QList<QAction*> PlotMenuActions(Form2& graph) {
    const QPoint at(100, 100);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, graph.Plot().mapToGlobal(at));
    QApplication::sendEvent(&graph.Plot(), &click);
    QWidget* menu = QApplication::activePopupWidget();
    menu->close();
    return menu->actions();
}

// Whether Ctrl+C in the active graph window leaves the clipboard as it was, and the plot's menu
// offers its copies and saves disabled, the fit enabled.
bool CopiesNothing(Form2& graph) {
    graph.show();
    graph.activateWindow();
    (void)QTest::qWaitForWindowActive(&graph);
    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(&graph, Qt::Key_C, Qt::ControlModifier);
    QStringList actions;
    for (const QAction* action : PlotMenuActions(graph))
        actions << action->text() + (action->isEnabled() ? " enabled" : "");
    return actions == QStringList{"Copia grafico", "Copia dati", "Copia risultati", "",
                                  "Salva grafico…", "Salva dati…", "",
                                  "Adatta verticalmente enabled"} &&
           QGuiApplication::clipboard()->text() == "before";
}


// A run of 10^9 steps, which does not settle: seconds of work, stopped by the tests long before.
const QStringList kLongRun{"10", "50", "10", "1000", "10000", "1000000", "1", "1000"};

// While a command runs, watches the application's event loop and the progress dialog, and once
// the dialog has been on show for a while, acts on it as the user would.
class RunWatch {
public:
    explicit RunWatch(std::function<void(QProgressDialog&)> stop) : stop_(std::move(stop)) {
        ticks_.setInterval(10);
        QObject::connect(&ticks_, &QTimer::timeout, [this] {
            ++tickCount;
            longestPause = std::max(longestPause, sinceTick_.restart());
            if (auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
                Look(*dialog);
        });
        sinceTick_.start();
        ticks_.start();
    }

    int tickCount = 0;
    qint64 longestPause = 0; // ms, between two ticks
    QStringList seen;        // the dialog's name, title, cancel button and modality
    QStringList labels;      // its lines, as they changed
    QList<int> values;       // its bar, as it moved
    QElapsedTimer sinceStop; // from the user's stop on

private:
    void Look(QProgressDialog& dialog) {
        if (!dialog.isVisible() || stopped_)
            return;
        if (seen.isEmpty()) {
            shownFor_.start();
            seen << dialog.objectName() << dialog.windowTitle()
                 << dialog.findChild<QPushButton*>()->text()
                 << (dialog.windowModality() == Qt::ApplicationModal ? "modal" : "modeless");
        }
        if (labels.isEmpty() || labels.last() != dialog.labelText())
            labels << dialog.labelText();
        if (values.isEmpty() || values.last() != dialog.value())
            values << dialog.value();
        if (shownFor_.elapsed() >= 600) {
            stopped_ = true;
            sinceStop.start();
            stop_(dialog);
        }
    }

    std::function<void(QProgressDialog&)> stop_;
    QTimer ticks_;
    QElapsedTimer sinceTick_, shownFor_;
    bool stopped_ = false;
};

} // namespace

class GraphWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<Form2*>(window))
                delete window;
    }

    void plotsTheWorkedExampleWithItsResults_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("ripple");
        QTest::addColumn<QString>("mean");
        QTest::newRow("English") << EnglishLocale() << "1.56E+03"
                                 << "2.51E+00";
        QTest::newRow("Italian") << ItalianLocale() << "1,56E+03"
                                 << "2,51E+00";
    }
    void plotsTheWorkedExampleWithItsResults() {
        QFETCH(QLocale, locale);
        QFETCH(QString, ripple);
        QFETCH(QString, mean);
        LocaleScope scope(locale);
        Session session;
        session.setWorkedExample();
        QVERIFY(session.plot().isEmpty());
        Form2* graph = Session::FindGraph();
        QVERIFY(graph && graph->isVisible());
        QCOMPARE(graph->objectName(), QString("Form2"));
        QCOMPARE(graph->windowTitle(), QString("Forme d'onda reali"));
        QVERIFY(graph->parentWidget() == nullptr);
        QCOMPARE(session.result("Label5"), ripple);
        QCOMPARE(session.result("Label9"), mean);
        const engine::PeriodStatistics& statistics = graph->PlotSurface().Drawn()->run->statistics;
        QCOMPARE(std::round(statistics.DeltaVoVera * 1000), 1563145.0);
        QCOMPARE(std::round(statistics.VomVera * 1e6), 2510899.0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void drawsTicksBaselinesAndTracesWhereTheyBelong() {
        Session session;
        session.setWorkedExample();
        session.plot();
        PlotArea& plot = Session::FindGraph()->Plot();
        // The input voltage: up at x = 20, high to 30, down at 40, low to the end.
        QCOMPARE(At(plot, 10, 80), kRed);
        QCOMPARE(At(plot, 20, 98), kRed);
        QCOMPARE(At(plot, 25, 98), kRed);
        QCOMPARE(At(plot, 30, 98), kRed);
        QCOMPARE(At(plot, 35, 98), kBackground);
        // The current: 55.69 at both ends, 78 at its peak.
        QCOMPARE(At(plot, 10, 55.690f), kGreen);
        QCOMPARE(At(plot, 20, 78), kGreen);
        QCOMPARE(At(plot, 100, 55.690f), kGreen);
        // The output: 19.232 at both ends, 36.1 on top.
        QCOMPARE(At(plot, 10, 19.232f), kBlue);
        QCOMPARE(At(plot, 30, 36.1f), kBlue);
        QCOMPARE(At(plot, 40, 36.1f), kBlue);
        QCOMPARE(At(plot, 100, 19.232f), kBlue);
        QCOMPARE(At(plot, 5, 19.232f), kBackground); // nothing before the first sample
        // Baselines span the whole width; ticks are black and short.
        QCOMPARE(At(plot, 0, 60), kGreen);
        QCOMPARE(At(plot, 5, 0.1f), kBlue);
        QCOMPARE(At(plot, 0, 5), qRgb(0, 0, 0));
        QCOMPARE(At(plot, 0.2f, 50), qRgb(0, 0, 0));
        QCOMPARE(At(plot, 0.5f, 50), kBackground);
        QCOMPARE(At(plot, 100, 0.5f), qRgb(0, 0, 0));
        QCOMPARE(At(plot, 75, 0.5f), qRgb(0, 0, 0));
        QCOMPARE(At(plot, 0.2f, 0), kBackground); // no tick at y = 0
    }

    // The plot as the user first sees it, pixel for pixel: ticks, baselines, traces and colours
    // in the coordinates 0 to 100, for the design the example data give and for short runs.
    void drawsThePlotPixelForPixel_data() {
        QTest::addColumn<QStringList>("verification"); // empty: "Dati Esempio", "Calcola C"
        QTest::addColumn<QString>("fingerprint");
        QTest::newRow("example data")
            << QStringList()
            << "997x605 fa62fe4e825be7ddbf42edc23a6cef0c8be346817a19d41a82db49510cc74990";
        QTest::newRow("N 10, NP 3")
            << QStringList{"10", "30", "1", "1", "1000", "10", "3", "2000"}
            << "997x605 348b775c8be79929dee8abb11c0919e90f1104e1212ee7377850cb58e1f2a8c0";
        QTest::newRow("N 12, NP 5, C 200")
            << QStringList{"10", "50", "2", "1", "200", "12", "5", "3"}
            << "997x605 87a0ee0dae9a95b104967b8fd514a31c9f0bd3628f21a574e88382e05c7ec5dd";
    }
    void drawsThePlotPixelForPixel() {
        QFETCH(QStringList, verification);
        QFETCH(QString, fingerprint);
        Session session;
        if (verification.isEmpty()) {
            QVERIFY(session.click("Command3").isEmpty());
            QVERIFY(session.click("Command1").isEmpty());
        } else {
            session.setVerification(verification);
        }
        QCOMPARE(session.plot(), QStringList());
        QCOMPARE(Fingerprint(Session::FindGraph()->Plot().Picture()), fingerprint);
    }

    void leavesAGapBetweenPeriods() {
        Session session;
        session.setWorkedExample("2");
        session.plot();
        PlotArea& plot = Session::FindGraph()->Plot();
        QCOMPARE(At(plot, 10, 98), kRed); // first period, samples 2 to 3 high
        QCOMPARE(At(plot, 60, 98), kRed); // second period
        QCOMPARE(At(plot, 50, 19.232f), kBlue);
        QCOMPARE(At(plot, 52.5f, 19.232f), kBackground);
        QCOMPARE(At(plot, 52.5f, 55.690f), kBackground);
        QCOMPARE(At(plot, 55, 19.232f), kBlue);
    }

    void readsThePlotUnderThePointer() {
        LocaleScope english(EnglishLocale());
        Session session;
        session.setWorkedExample();
        session.plot();
        Form2* graph = session.graphBeside();
        PlotArea& plot = graph->Plot();
        QVERIFY(plot.toolTip().isEmpty());
        for (const char* name : {"Option1", "Option2", "Option3"})
            QVERIFY(!graph->findChild<QRadioButton*>(name)->isChecked());
        const QPoint origin = plot.contentsRect().topLeft();
        // Pixels chosen where the inverse mapping gives round numbers: 996 and 604 pixels
        // across the inside of the frame.
        const auto move = [&](int column, int row) {
            QTest::mouseMove(&plot, InView(plot, origin + QPoint(column, row)));
            return plot.toolTip();
        };
        QCOMPARE(move(0, 0), QString("t= 0.00usec ; Vi(t) = 1.11E+01V"));
        QVERIFY(graph->findChild<QRadioButton*>("Option1")->isChecked());
        QCOMPARE(move(498, 302), QString("t= 500.00usec ; iC(t) = -4.11E-03A"));
        QVERIFY(graph->findChild<QRadioButton*>("Option2")->isChecked());
        QCOMPARE(move(996, 453), QString("t= 1000.00usec ; Vo(t) = 2.31E+00V"));
        QVERIFY(graph->findChild<QRadioButton*>("Option3")->isChecked());
        // Under the output baseline the selection stays and the output goes on being read.
        QCOMPARE(move(249, 604), QString("t= 250.00usec ; Vo(t) = -9.27E-03V"));
        QVERIFY(graph->findChild<QRadioButton*>("Option3")->isChecked());
        // The frame is not the plot: a movement over it, at any edge, changes nothing.
        const QRect inside = plot.contentsRect();
        // (QTest takes the point (0, 0) for the middle of the widget.)
        for (const QPoint frame :
             {QPoint(1, 1), QPoint(inside.right() + 1, 1), QPoint(inside.right() + 1, 300),
              QPoint(0, inside.bottom() + 1)}) {
            QTest::mouseMove(&plot, InView(plot, frame));
            QCOMPARE(plot.toolTip(), QString("t= 250.00usec ; Vo(t) = -9.27E-03V"));
            QVERIFY(graph->findChild<QRadioButton*>("Option3")->isChecked());
        }
    }

    // A refused command stores what it read, while the plot it did not replace stays on show:
    // the read-out goes on describing that plot.
    void theReadoutDescribesThePlotOnShow_data() {
        QTest::addColumn<QStringList>("fields"); // name, text, name, text...
        QTest::newRow("NP 1 and NI 0") << QStringList{"Text14", "1", "Text15", "0"};
        QTest::newRow("frequency -2") << QStringList{"Text12", "-2"};
        QTest::newRow("frequency 0") << QStringList{"Text12", "0"};
    }
    void theReadoutDescribesThePlotOnShow() {
        QFETCH(QStringList, fields);
        LocaleScope english(EnglishLocale());
        Session session;
        session.setWorkedExample("10");
        session.plot();
        PlotArea& plot = session.graphBeside()->Plot();
        const QPoint middle = plot.contentsRect().topLeft() + QPoint(498, 100);
        // A movement to where the pointer already is would not be reported.
        const auto readMiddle = [&] {
            QTest::mouseMove(&plot, InView(plot, middle + QPoint(0, 1)));
            QTest::mouseMove(&plot, InView(plot, middle));
            return plot.toolTip();
        };
        const QString reading = readMiddle();
        QVERIFY2(reading.startsWith("t= 5000.00usec ; Vi(t) = "), qPrintable(reading));
        for (int k = 0; k < fields.size(); k += 2)
            session.field(fields[k]).setText(fields[k + 1]);
        QCOMPARE(session.plot().size(), 1);
        QCOMPARE(readMiddle(), reading);
    }

    void aClosedWindowComesBackFresh() {
        Session session;
        session.setWorkedExample();
        session.plot();
        QPointer<Form2> first = Session::FindGraph();
        first->findChild<QRadioButton*>("Option2")->setChecked(true);
        first->close();
        QTRY_VERIFY(!first); // destroyed with its drawing
        session.plot();
        Form2* second = Session::FindGraph();
        QVERIFY(second && second->isVisible());
        QVERIFY(!second->findChild<QRadioButton*>("Option2")->isChecked());
        QCOMPARE(session.result("Label5"), QString("1.56E+03"));
    }

    void aSecondPlotReusesTheWindow() {
        Session session;
        session.setWorkedExample();
        session.plot();
        Form2* graph = Session::FindGraph();
        graph->findChild<QRadioButton*>("Option3")->setChecked(true);
        session.field("Text8").setText("50");
        session.plot();
        QCOMPARE(Session::FindGraph(), graph);
        QVERIFY(graph->findChild<QRadioButton*>("Option3")->isChecked());
        QCOMPARE(At(graph->Plot(), 35, 98), kRed); // the new duty cycle, drawn on a blank plot
        QCOMPARE(At(graph->Plot(), 20, 98), kRed);
    }

    void theCommandChecksItsFieldsInOrder_data() {
        QTest::addColumn<QStringList>("entries"); // E, D, f, R, C, N, NP, NI
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, QStringList entries, const char* message) {
            QTest::newRow(name) << entries << QString::fromUtf8(message);
        };
        const QString suffix = ". Puoi scrivere soltanto numeri razionali con il punto come "
                               "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
                               "1E-5 , 5E3";
        row("all empty", {"", "", "", "", "", "", "", ""},
            "Hai dimenticato di scrivere la tensione di ingresso E");
        row("D empty", {"10", "", "1", "1", "1000", "10", "1", "2000"},
            "Hai dimenticato di scrivere il valore del Duty Cycle in %");
        row("f empty", {"10", "30", "", "1", "1000", "10", "1", "2000"},
            "Hai dimenticato di scrivere il valore della frequenza del segnale in ingresso f in "
            "kHz");
        row("R and C empty", {"10", "30", "1", "", "", "10", "1", "2000"},
            "Hai dimenticato di scrivere il valore della resistenza R in kohm");
        row("C empty", {"10", "30", "1", "1", "", "10", "1", "2000"},
            "Hai dimenticato di scrivere il valore della capacità in nF");
        row("N empty", {"10", "30", "1", "1", "1000", "", "1", "2000"},
            "Hai dimenticato di scrivere il numero dei campioni N");
        row("NP empty", {"10", "30", "1", "1", "1000", "10", "", "2000"},
            "Hai dimenticato di scrivere il numero dei periodi visualizzati NP");
        row("NI empty", {"10", "30", "1", "1", "1000", "10", "1", ""},
            "Hai dimenticato di scrivere il numero delle iterazioni NI");
        QTest::newRow("E comma") << QStringList{"1,5", "30", "1", "1", "1000", "10", "1", "2000"}
                                 << "Errore di inserimento dati per la tensione di ingresso E" +
                                        suffix;
        QTest::newRow("NI letter")
            << QStringList{"10", "30", "1", "1", "1000", "10", "1", "2k"}
            << "Errore di inserimento dati per il numero delle iterazioni NI" + suffix;
        row("E zero", {"0", "30", "1", "1", "1000", "10", "1", "2000"},
            "La tensione in ingresso non può essere zero o negativa!");
        row("D 100", {"10", "100", "1", "1", "1000", "10", "1", "2000"},
            "Il Duty Cycle non può essere zero o negativo o maggiore o uguale al 100%!");
        row("D negative", {"10", "-5", "1", "1", "1000", "10", "1", "2000"},
            "Il Duty Cycle non può essere zero o negativo o maggiore o uguale al 100%!");
        row("f zero", {"10", "30", "0", "1", "1000", "10", "1", "2000"},
            "La frequenza non può essere zero o negativa!");
        row("C before R", {"10", "30", "1", "0", "0", "10", "1", "2000"},
            "La capacità non può essere zero o negativa!");
        row("R zero", {"10", "30", "1", "0", "1000", "10", "1", "2000"},
            "La resistenza non può essere zero o negativa!");
        row("N below a half", {"10", "30", "1", "1", "1000", "0.4", "1", "2000"},
            "Il numero dei campioni N deve essere almeno 1!");
        row("N negative", {"10", "30", "1", "1", "1000", "-10", "1", "2000"},
            "Il numero dei campioni N deve essere almeno 1!");
        row("N too large", {"10", "30", "1", "1", "1000", "5e7", "1", "2000"},
            "Il numero dei campioni N non può superare 40000000!");
        row("N beyond a count", {"10", "30", "1", "1", "1000", "1e10", "1", "2000"},
            "Il numero dei campioni N non può superare 40000000!");
        row("NP beyond a real", {"10", "30", "1", "1", "1000", "10", "-1e400", "2000"},
            "Errore di inserimento dati per il numero dei periodi visualizzati NP. Il numero "
            "deve essere compreso tra -2147483648 e 2147483647.");
        row("NI zero", {"10", "30", "1", "1", "1000", "10", "1", "0"},
            "Il numero delle iterazioni NI deve essere almeno 1!");
        row("unstable step", {"10", "30", "1", "1", "1", "10", "1", "2000"},
            "Il passo di simulazione (1/f)/N supera il doppio della costante di tempo R*C: la "
            "simulazione sarebbe instabile. Aumenta il numero dei campioni N!");
        row("f beyond a real once scaled", {"10", "30", "1e306", "1", "1000", "10", "1", "2000"},
            "Errore di inserimento dati per il valore della frequenza del segnale in ingresso f "
            "in kHz. Il numero è fuori dall'intervallo dei numeri rappresentabili.");
    }
    void theCommandChecksItsFieldsInOrder() {
        QFETCH(QStringList, entries);
        QFETCH(QString, message);
        Session session;
        session.setVerification(entries);
        QCOMPARE(session.plot(), QStringList{message});
        QVERIFY(!Session::FindGraph()); // a refused command does not touch the graph window
    }

    void aRefusedCommandKeepsTheEarlierPlot() {
        Session session;
        session.setWorkedExample();
        session.plot();
        Form2* graph = Session::FindGraph();
        const QImage before = graph->Plot().Picture().copy();
        session.field("Text13").setText("0");
        QCOMPARE(session.plot().size(), 1);
        QCOMPARE(graph->Plot().Picture(), before);
        QCOMPARE(session.result("Label5"), QString("1.56E+03"));
    }

    // The exact run of a circuit with a load has the input high on samples 1 to k: N·D above
    // 0.5 puts one in the pulse. Fewer are refused, naming that N, before the plot is touched.
    void tooFewSamplesForTheExactRunAreRefused_data() {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("N 1") << "1"
                             << QStringList{"Il numero dei campioni N deve essere almeno 2: con "
                                            "meno campioni nessuno cade nell'impulso!"};
        QTest::newRow("N 2") << "2" << QStringList();
    }
    void tooFewSamplesForTheExactRunAreRefused() {
        QFETCH(QString, samples);
        QFETCH(QStringList, shown);
        Session session;
        session.setWorkedExample(); // D 30 %
        session.field("RLField").setText("1000");
        QCOMPARE(session.plot(), QStringList());
        const QImage before = Session::FindGraph()->Plot().Picture().copy();
        session.field("Text13").setText(samples);
        QCOMPARE(session.plot(), shown);
        QCOMPARE(Session::FindGraph()->Plot().Picture() == before, !shown.isEmpty());
    }

    void textColoursTurnBlackAsValuesAreTakenOver() {
        Session session;
        session.field("Text1").setText("10");
        session.field("Text2").setText("3");
        session.field("Text3").setText("1");
        session.field("Text4").setText("100");
        session.field("Text6").setText("1");
        ClickAndAnswer(session.main, "Command1"); // fills the verification fields in blue
        session.field("Text12").setText("0");
        session.field("Text9").setText("0");
        QCOMPARE(session.plot().size(), 1);
        const QColor black(0, 0, 0), blue(0, 0, 255);
        QCOMPARE(session.textColour("Text7"), black);
        QCOMPARE(session.textColour("Text8"), black);
        QCOMPARE(session.textColour("Text12"), blue);
        QCOMPARE(session.textColour("Text10"), blue);
        session.field("Text12").setText("1");
        QCOMPARE(session.plot().size(), 1); // now R is refused, after f and C were taken
        QCOMPARE(session.textColour("Text12"), black);
        QCOMPARE(session.textColour("Text10"), black);
        QCOMPARE(session.textColour("Text9"), blue);
        QCOMPARE(session.textColour("Text13"), black); // the counts keep their colour
    }

    void countsRoundHalvesToEven() {
        Session session;
        session.setVerification({"10", "30", "1", "1", "1000", "1000.5", "0", "1001.5"});
        QVERIFY(session.plot().isEmpty());
        const graph_window::DrawnPlot& plot = *Session::FindGraph()->PlotSurface().Drawn();
        QCOMPARE(plot.N, 1000);
        QCOMPARE(plot.NP, 0);
        QCOMPARE(plot.NI, 1002);
    }

    void noPeriodsDrawnLeavesTicksAndBaselines() {
        Session session;
        session.setWorkedExample("0");
        QVERIFY(session.plot().isEmpty());
        PlotArea& plot = Session::FindGraph()->Plot();
        QCOMPARE(At(plot, 20, 98), kBackground);
        QCOMPARE(At(plot, 20, 80), kRed);
        QCOMPARE(session.result("Label5"), QString("1.56E+03"));
    }

    // The data of a period too long for the memory left are not copied, and the user is told.
    void copyingDataBeyondTheMemoryLeftSaysSo() {
        if (!AddressSpaceLimit::Available())
            QSKIP("needs an address-space limit and an allocator that throws std::bad_alloc");
        Session session;
        // Beyond the memory a worker's allocator holds in reserve.
        session.setVerification({"10", "30", "1", "1", "1000", "1000000", "1", "2000"});
        QVERIFY(session.plot().isEmpty());
        Form2& graph = *session.graphBeside();
        const QList<QAction*> actions = PlotMenuActions(graph);
        QGuiApplication::clipboard()->setText("before");
        MessageBoxAnswerer answerer;
        {
            const AddressSpaceLimit limit(16 << 20); // the table takes some 128 MB
            QVERIFY(limit.IsSet());
            actions[1]->trigger();
        }
        QCOMPARE(answerer.texts(),
                 QStringList{"Memoria insufficiente per copiare i dati di questo numero di "
                             "campioni N!"});
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    }

    // The real circuit's values, the steady-state line and the filter's figures beside the
    // simulated ones; a refusal leaves them as they were.
    void showsTheRealCircuitBesideTheSimulation_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("entries");  // E, D, f, R, C, N, NP, NI
        // ripple, mean, periods, ms, steady state; fc, attenuation, resolution
        QTest::addColumn<QStringList>("expected");
        const QStringList example = {"1.000E+01", "5.000E+01", "1.000E+01", "1.000E+01",
                                     "2.500E+02", "1000",      "10",        "2000"};
        const QString settled = "A regime dal periodo 788 di 2000";
        QTest::newRow("example design")
            << EnglishLocale() << example
            << QStringList{"1.00E+02", "5.00E+00", "116",      "1.15E+01",
                           settled,    "6.37E+01", "4.39E+01", "6.64"};
        QTest::newRow("example design, Italian")
            << ItalianLocale() << example
            << QStringList{"1,00E+02", "5,00E+00", "116",      "1,15E+01",
                           settled,    "6,37E+01", "4,39E+01", "6,64"};
        QTest::newRow("cycle of two")
            << EnglishLocale() << QStringList{"10", "80", "1", "0.1", "220", "23", "10", "2000"}
            << QStringList{"1.00E+04",
                           "8.00E+00",
                           "1",
                           "1.01E-01",
                           "A regime dal periodo 71 di 2000, ciclo di 2 periodi",
                           "7.23E+03",
                           "8.22E-02",
                           "0.00"};
        QTest::newRow("not settled")
            << EnglishLocale() << QStringList{"10", "30", "1", "1", "1000", "10", "1", "30"}
            << QStringList{"2.06E+03",
                           "3.00E+00",
                           "5",
                           "4.61E+00",
                           "Non a regime dopo 30 periodi: aumenta NI",
                           "1.59E+02",
                           "1.61E+01",
                           "2.28"};
        // R·C·f = 4e307: R·C·ln 100, and so its periods, are beyond a real, and so beyond any NI;
        // so are f/fc and E over the ripple, which the attenuation and the resolution go round.
        QTest::newRow("settling beyond a real")
            << EnglishLocale() << QStringList{"10", "30", "1e-3", "4e304", "1e9", "10", "1", "20"}
            << QStringList{"5.25E-305",
                           "3.00E+00",
                           "",
                           "",
                           "Non a regime dopo 20 periodi: l'assestamento va oltre il massimo di "
                           "NI (2147483647 periodi)",
                           "3.98E-309",
                           "6.17E+03",
                           "1024.08"};
    }
    void showsTheRealCircuitBesideTheSimulation() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        LocaleScope scope(locale);
        Session session;
        session.setVerification(entries);
        QVERIFY(session.plot().isEmpty());
        const char* labels[] = {"ExactRippleLabel",  "ExactMeanLabel",   "SettlingLabel",
                                "SettlingTimeLabel", "SteadyStateLabel", "CutoffLabel",
                                "AttenuationLabel",  "ResolutionLabel"};
        const auto shown = [&] {
            QStringList texts;
            for (const char* label : labels)
                texts << session.result(label);
            return texts;
        };
        QCOMPARE(shown(), expected);
        const QColor lineColour = Session::FindGraph()
                                      ->findChild<QLabel*>("SteadyStateLabel")
                                      ->palette()
                                      .color(QPalette::WindowText);
        QCOMPARE(lineColour, expected[4].startsWith("Non") ? QColor(255, 0, 0) : Qt::black);
        session.field("Text15").setText("0");
        QCOMPARE(session.plot().size(), 1);
        QCOMPARE(shown(), expected);
    }

    // Ticks and baselines only: neither the results nor the reading of the run before stay.
    void aRunThatFailsAfterBlankingLeavesNothingOfTheRunBefore() {
        Session session;
        session.setWorkedExample();
        session.plot();
        PlotArea& plot = session.graphBeside()->Plot();
        QTest::mouseMove(&plot, InView(plot, plot.contentsRect().topLeft() + QPoint(10, 10)));
        QVERIFY(!plot.toolTip().isEmpty());
        session.setVerification({"1e307", "50", "1", "1", "1000", "10", "1", "20"});
        QCOMPARE(session.plot(),
                 QStringList{"La simulazione ha dato valori fuori dall'intervallo dei numeri "
                             "rappresentabili: controlla i dati di verifica!"});
        for (const char* label : {"Label5", "Label9", "ExactRippleLabel", "ExactMeanLabel",
                                  "SettlingLabel", "SettlingTimeLabel", "SteadyStateLabel",
                                  "CutoffLabel", "AttenuationLabel", "ResolutionLabel"})
            QCOMPARE(session.result(label), QString());
        QCOMPARE(plot.toolTip(), QString());
        QCOMPARE(At(plot, 20, 98), kBackground);
        QTest::mouseMove(&plot, InView(plot, plot.contentsRect().topLeft() + QPoint(20, 20)));
        QCOMPARE(plot.toolTip(), QString()); // nothing on show to read
    }

    void opensWithItsLayout() {
        Session session;
        Form2& graph = session.main.GraphWindow();
        QVERIFY(!graph.isVisible()); // created on access, not shown
        // Its page keeps the layout's size; on the test platform's 800 × 800 screen it scrolls.
        QCOMPARE(graph.findChild<QWidget*>("Form2Content")->size(), QSize(1262, 667));
        QCOMPARE(graph.size().boundedTo(graph.screen()->availableGeometry().size()), graph.size());
        QVERIFY(graph.width() < 1262);
        QCOMPARE(graph.findChild<QLabel*>("Label5")->text(), QString("Label5"));
        QCOMPARE(graph.findChild<QLabel*>("Label9")->text(), QString("Label9"));
        QCOMPARE(graph.findChild<QLabel*>("Label1")->text(),
                 QString("Sposta il cursore del mouse sulla forma d'onda , comparirà il valore "
                         "in quel punto"));
        QVERIFY(graph.findChild<QWidget*>("Picture2"));
        QCOMPARE(graph.Plot().geometry(), QRect(8, 8, 1001, 609));
        QCOMPARE(graph.Plot().Picture().size(), QSize(997, 605));
        QCOMPARE(graph.Plot().Picture().pixel(500, 300), kLightYellow);
        for (QLabel* label : graph.findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
        }
        for (QRadioButton* option : graph.findChildren<QRadioButton*>()) {
            const QStyle& style = *option->style();
            const int needed = style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                               style.pixelMetric(QStyle::PM_RadioButtonLabelSpacing) +
                               option->fontMetrics().horizontalAdvance(option->text());
            QVERIFY2(needed <= option->width(), qPrintable(option->objectName()));
        }
        const QImage picture = graph.findChild<QWidget*>("Form2Content")->grab().toImage();
        const QRect option1 = graph.findChild<QRadioButton*>("Option1")->geometry();
        bool redCaption = false;
        for (int x = option1.left(); x <= option1.right(); ++x)
            for (int y = option1.top(); y <= option1.bottom(); ++y)
                redCaption |= picture.pixel(x, y) == kRed;
        QVERIFY(redCaption);
    }

    // Nothing before the first plot or after a failed run; the plot on show, never the settings
    // a refused command stored, in between.
    void copiesThePlotOnShow_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("results");
        // The simulated values, the real circuit's, and the steady-state line, as shown.
        const QString results = "Delta Vovera\t1.56E+03\t[mV]\nVomvera\t2.51E+00\t[V]\n"
                                "Delta Vo\t2.06E+03\t[mV]\nVom\t3.00E+00\t[V]\n"
                                "Assestamento ±1%\t5\t[periodi]\nTempo ±1%\t4.61E+00\t[ms]\n"
                                "fc\t1.59E+02\t[Hz]\nAttenuazione a f\t1.61E+01\t[dB]\n"
                                "Risoluzione\t2.28\t[bit]\n"
                                "Simulazione:\tA regime dal periodo 44 di 2000\t\n";
        QTest::newRow("English") << EnglishLocale() << results;
        QTest::newRow("Italian") << ItalianLocale() << QString(results).replace('.', ',');
    }
    void copiesThePlotOnShow() {
        QFETCH(QLocale, locale);
        QFETCH(QString, results);
        LocaleScope scope(locale);
        Session session;
        QVERIFY(CopiesNothing(session.main.GraphWindow()));
        session.setWorkedExample();
        session.plot();
        const std::shared_ptr<const engine::SimulatedRun> shown =
            Session::FindGraph()->PlotSurface().Drawn()->run;
        session.setVerification({"10", "30", "1", "1", "1000", "20", "1", "0"});
        QCOMPARE(session.plot().size(), 1);
        Form2& graph = *session.graphBeside();
        graph.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&graph));
        QClipboard& clipboard = *QGuiApplication::clipboard();
        QTest::keyClick(&graph, Qt::Key_C, Qt::ControlModifier);
        // The picture on show inside the frame that names its axes.
        const auto framed = [&graph](const QImage& copied) {
            return copied.size() == ReportSize(QSize(997, 605)) &&
                   copied.copy(QRect(FramedArea(), QSize(997, 605)))
                           .convertToFormat(QImage::Format_RGB32) == graph.Plot().Picture();
        };
        QVERIFY(framed(clipboard.image()));

        const QList<QAction*> actions = PlotMenuActions(graph);
        QCOMPARE(actions.size(), 8); // the three copies first
        clipboard.clear();
        actions[0]->trigger();
        QVERIFY(framed(clipboard.image()));
        actions[1]->trigger();
        const QStringList rows = clipboard.text().split('\n');
        QCOMPARE(rows.size(), 1 + 10 + 1); // the header, the samples, nothing after the last
        QCOMPARE(rows.front(), QString("t [s]\tVi [V]\tiC [A]\tVo [V]"));
        for (int i = 1; i <= 10; ++i) {
            const QStringList values = rows[i].split('\t');
            const double expected[] = {i * shown->dt, shown->Vi[i], shown->iC[i], shown->Vo[i]};
            for (int k = 0; k < 4; ++k) {
                QVERIFY(locale.decimalPoint() == "." || !values.value(k).contains('.'));
                const QByteArray text =
                    values.value(k).replace(locale.decimalPoint(), ".").toLatin1();
                double value = 0;
                const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
                QVERIFY2(error == std::errc() && end == text.end(), text.constData());
                QCOMPARE(std::bit_cast<quint64>(value), std::bit_cast<quint64>(expected[k]));
            }
        }
        actions[2]->trigger();
        QCOMPARE(clipboard.text(), results);

        session.setVerification({"1e307", "30", "1", "1", "1000", "10", "1", "2000"});
        QCOMPARE(session.plot().size(), 1); // a run that fails after blanking
        QVERIFY(CopiesNothing(graph));
    }

    // The windows go on repainting while a long run shows its progress; the user stops it from
    // the dialog, and nothing of the run, nor of the one before, stays on show.
    void aLongRunShowsItsProgressAndStopsOnRequest_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Interrompi") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("closing the dialog") << 2;
    }
    void aLongRunShowsItsProgressAndStopsOnRequest() {
        QFETCH(int, how);
        Session session;
        session.setWorkedExample();
        session.plot();
        Form2& graph = *session.graphBeside();
        PlotArea& plot = graph.Plot();
        QTest::mouseMove(&plot, InView(plot, plot.contentsRect().topLeft() + QPoint(10, 10)));
        session.setVerification(kLongRun);
        RunWatch watch([how](QProgressDialog& dialog) {
            if (how == 0)
                QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);
            else if (how == 1)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
        });
        QCOMPARE(session.plot(), QStringList()); // no message: the user asked for the stop
        qInfo("from the stop to the command's end: %lld ms", watch.sinceStop.elapsed());
        QCOMPARE(watch.seen, (QStringList{"RunProgress", "Velmaro", "Interrompi", "modal"}));
        const QRegularExpression progress("^Simulazione in corso: periodo (\\d+) di 1000$");
        for (const QString& label : watch.labels)
            QVERIFY2(progress.match(label).hasMatch(), qPrintable(label));
        QVERIFY(watch.values.size() >= 2);   // the bar moved
        QVERIFY(watch.tickCount >= 50);      // the event loop went on ticking throughout
        qInfo("longest pause of the event loop: %lld ms", watch.longestPause);

        const QRegularExpression stopped("^Simulazione interrotta al periodo (\\d+) di 1000$");
        const QString line = session.result("SteadyStateLabel");
        QVERIFY2(stopped.match(line).hasMatch(), qPrintable(line));
        QCOMPARE(graph.findChild<QLabel*>("SteadyStateLabel")->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        for (const char* label : {"Label5", "Label9", "ExactRippleLabel", "ExactMeanLabel",
                                  "SettlingLabel", "SettlingTimeLabel", "CutoffLabel",
                                  "AttenuationLabel", "ResolutionLabel"})
            QCOMPARE(session.result(label), QString());
        QCOMPARE(graph.Plot().toolTip(), QString());
        QCOMPARE(At(graph.Plot(), 20, 98), kBackground);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(CopiesNothing(graph));

        session.setWorkedExample();
        QVERIFY(session.plot().isEmpty());
        QCOMPARE(session.result("Label5"), QString("1.56E+03"));
    }

    // Asked to quit while a run goes on, the application stops the run and then quits.
    void quittingDuringARunStopsItAndQuits() {
        Session session;
        session.setVerification(kLongRun);
        QElapsedTimer sinceQuit;
        QString line; // the quit closes the graph window: read it as the command ends
        QTimer::singleShot(0, [&] {
            session.plot();
            line = session.result("SteadyStateLabel");
        });
        QTimer::singleShot(700, [&] {
            sinceQuit.start();
            QCoreApplication::quit();
        });
        QCOMPARE(QApplication::exec(), 0);
        qInfo("quit to the end of the event loop: %lld ms", sinceQuit.elapsed());
        QVERIFY(sinceQuit.elapsed() < 5000);
        QVERIFY2(line.startsWith("Simulazione interrotta al periodo "), qPrintable(line));
    }

    // The run a plot holds is its own: a later run, of another size, changes none of it.
    void theRunAPlotHoldsSurvivesALaterRun() {
        Session session;
        session.setWorkedExample();
        session.plot();
        const std::shared_ptr<const engine::SimulatedRun> first =
            Session::FindGraph()->PlotSurface().Drawn()->run;
        const std::vector<double> before(first->Vo.begin(), first->Vo.end());
        session.setVerification({"10", "30", "1", "1", "1000", "5000", "1", "2000"});
        session.plot();
        QCOMPARE(Session::FindGraph()->PlotSurface().Drawn()->run->N, 5000);
        QCOMPARE(first->N, 10);
        QVERIFY(std::vector<double>(first->Vo.begin(), first->Vo.end()) == before);
        QCOMPARE(std::round(first->statistics.VoMax * 1e6), 3336068.0); // the worked example
    }
};

VELMARO_TEST(GraphWindowTest);
#include "graph_window_tests.moc"
