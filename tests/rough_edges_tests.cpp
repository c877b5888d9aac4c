// SPDX-License-Identifier: GPL-3.0-or-later
// What a new user meets, each mended: the graph window comes forward, a run shows no placeholder
// and no figure of the run before, the part group only for the design it describes, the keyboard
// reaches every button and the plot, and the read-outs stay readable at any scale.

#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "main_window/design_files.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QComboBox>
#include <QMenu>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace graph_window;

namespace {

enum class Edge {
    Minimized, Behind, EmptyDuringRun, PartAfterOpen, PartAfterTyping, EnterOnButtons,
    PlotByKeyboard, HighFrequency, LowFrequency
};

struct Session : MainWindowSession {
    Form2& graph() { return main.GraphWindow(); }
    QString result(const char* label) { return graph().findChild<QLabel*>(label)->text(); }
    QPushButton& button(const char* name) { return *main.findChild<QPushButton*>(name); }
    QString part() {
        return caption("StandardCLabel") + "|" + caption("SafeCLabel") + "|" +
               (button("UseSafeC").isEnabled() ? "enabled" : "disabled");
    }
    // Enter on a focused control, as the keyboard gives it.
    QStringList enter(QWidget& control) {
        control.setFocus();
        MessageBoxAnswerer answerer;
        QTest::keyClick(&control, Qt::Key_Return);
        return answerer.texts();
    }
};

const QStringList kExample{"10", "30", "1", "1", "1000", "10", "1", "2000"};
const QStringList kLongRun{"10", "50", "10", "1000", "10000", "1000000", "1", "1000"};

const char* const kFigures[] = {"Label5",           "Label9",         "ExactRippleLabel",
                                "ExactMeanLabel",   "SettlingLabel",  "SettlingTimeLabel",
                                "SteadyStateLabel", "CutoffLabel",    "AttenuationLabel",
                                "ResolutionLabel",  "CursorLabel"};

} // namespace

class RoughEdgesTest : public QObject {
    Q_OBJECT
private slots:
    void eachRoughEdgeIsMended_data() {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QLocale>("locale");
        const std::pair<const char*, Edge> edges[] = {
            {"the graph window minimized", Edge::Minimized},
            {"the graph window behind", Edge::Behind},
            {"no figure during a run", Edge::EmptyDuringRun},
            {"the part group after an open", Edge::PartAfterOpen},
            {"the part group after typing", Edge::PartAfterTyping},
            {"Enter on each button", Edge::EnterOnButtons},
            {"the plot by the keyboard", Edge::PlotByKeyboard},
            {"cursors at 20000 kHz", Edge::HighFrequency},
            {"read-outs at 1e-290 kHz", Edge::LowFrequency}};
        for (const auto& [name, edge] : edges)
            for (const auto& [language, locale] :
                 {std::pair{"English", EnglishLocale()}, std::pair{"Italian", ItalianLocale()}})
                QTest::newRow(qPrintable(QString("%1, %2").arg(name, language)))
                    << int(edge) << locale;
    }
    void eachRoughEdgeIsMended() {
        QFETCH(int, edge);
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        Session s;
        const auto local = [&locale](QString text) {
            return text.replace('.', locale.decimalPoint());
        };
        switch (Edge(edge)) {
        case Edge::Minimized:
        case Edge::Behind: {
            s.setVerification(kExample);
            QVERIFY(s.click("Command2").isEmpty());
            if (Edge(edge) == Edge::Minimized)
                s.graph().showMinimized();
            s.main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&s.main));
            // "Grafici" again, or Enter in a verification field.
            if (Edge(edge) == Edge::Minimized)
                QVERIFY(s.click("Command2").isEmpty());
            else
                QVERIFY(s.enter(s.field("Text8")).isEmpty());
            QVERIFY(QTest::qWaitForWindowActive(&s.graph()));
            QVERIFY(!s.graph().isMinimized() && s.graph().isVisible());
            break;
        }
        case Edge::EmptyDuringRun: {
            // The first run ever and a later one: nothing shows while the dialog does.
            for (const bool first : {true, false}) {
                if (!first) {
                    s.setVerification(kExample);
                    QVERIFY(s.click("Command2").isEmpty());
                    QWidget& plot = s.graph().Plot();
                    QTest::mouseClick(&plot, Qt::LeftButton, {},
                                      InView(plot, plot.contentsRect().center()));
                    QVERIFY(!s.result("CursorLabel").isEmpty());
                }
                s.setVerification(kLongRun);
                QStringList during;
                QTimer watch;
                watch.setInterval(20);
                QObject::connect(&watch, &QTimer::timeout, [&] {
                    auto* dialog =
                        qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
                    if (!dialog || !during.isEmpty())
                        return;
                    for (const char* label : kFigures)
                        during << s.result(label);
                    dialog->close();
                });
                watch.start();
                QVERIFY(s.click("Command2").isEmpty());
                QCOMPARE(during, QStringList(std::size(kFigures), QString()));
            }
            break;
        }
        case Edge::PartAfterOpen:
        case Edge::PartAfterTyping: {
            QTemporaryDir folder;
            s.click("Command3");
            s.field("Text2").setText("3");
            s.main.Files().SetAskForFile([&](main_window::FileQuestion, const QString&) {
                return folder.filePath("vom3.velmaro");
            });
            QVERIFY(s.main.Files().SaveAs());
            s.click("Command3");
            QVERIFY(s.click("Command1").isEmpty());
            QCOMPARE(s.part(), local("2.70E+02|3.30E+02|enabled"));
            if (Edge(edge) == Edge::PartAfterOpen)
                QVERIFY(s.main.Files().Open(folder.filePath("vom3.velmaro")));
            else
                QTest::keyClick(&s.field("Text4"), Qt::Key_0);
            QCOMPARE(s.part(), QString("||disabled"));
            // A new series shows nothing either: there is no design until "Calcola C".
            s.main.findChild<QComboBox*>("SeriesCombo")->setCurrentIndex(3);
            QCOMPARE(s.part(), QString("||disabled"));
            QVERIFY(s.click("Command1").isEmpty());
            QVERIFY(s.part().endsWith("|enabled"));
            break;
        }
        case Edge::EnterOnButtons: {
            QVERIFY(s.enter(s.button("Command3")).isEmpty());
            QCOMPARE(s.text("Text1"), QString("10"));
            QVERIFY(s.enter(s.button("Command1")).isEmpty());
            QCOMPARE(s.caption("Label25"), local("2.50E+02"));
            QVERIFY(s.enter(s.button("UseSafeC")).isEmpty());
            QCOMPARE(s.text("Text10"), QString("3.300E+02"));
            QVERIFY(s.enter(s.button("Command2")).isEmpty());
            QVERIFY(s.graph().PlotSurface().Drawn());
            break;
        }
        case Edge::PlotByKeyboard: {
            s.setVerification(kExample);
            QVERIFY(s.click("Command2").isEmpty());
            Form2& graph = s.graph();
            PlotArea& plot = graph.Plot();
            QVERIFY(QTest::qWaitForWindowActive(&graph));
            graph.findChild<QWidget*>("Option3")->setFocus();
            for (int tab = 0; tab < 8 && !plot.hasFocus(); ++tab)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(plot.hasFocus());
            // The focus frame, around the picture.
            QCOMPARE(plot.grab().toImage().pixelColor(0, 0), plot.palette().color(QPalette::Highlight));
            for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier},
                                                 std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
                QTest::keyClick(&plot, key, modifiers);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu && menu->actions().size() == 8);
                menu->close();
            }
            // Without the pointer over the plot, the cursors go to the middle of the view.
            QTest::keyClick(&plot, Qt::Key_A);
            QVERIFY2(s.result("CursorLabel").startsWith(local("A: t = 500.00 µs   Vo(t) = ")),
                     qPrintable(s.result("CursorLabel")));
            QTest::keyClick(&plot, Qt::Key_B);
            QVERIFY(s.result("CursorLabel").contains(local("Δt = 0.00 µs")));
            break;
        }
        case Edge::HighFrequency:
        case Edge::LowFrequency: {
            const bool high = Edge(edge) == Edge::HighFrequency;
            s.setVerification({"10", "50", high ? "20000" : "1e-290", "1", high ? "1" : "1e290",
                               "1000", "1", "2000"});
            QVERIFY(s.click("Command2").isEmpty());
            PlotArea& plot = s.graph().Plot();
            const QPoint at = plot.contentsRect().center();
            QTest::mouseMove(&plot, InView(plot, at));
            QTest::mouseClick(&plot, Qt::LeftButton, {}, InView(plot, at));
            QTest::mouseClick(&plot, Qt::LeftButton, Qt::ShiftModifier,
                              InView(plot, at + QPoint(1, 0)));
            const QString cursors = s.result("CursorLabel");
            // Every number readable: at most 12 characters, and two neighbouring samples told
            // apart at 20000 kHz (a step of 5E-05 µs).
            static const QRegularExpression number("[-+0-9.,E]+");
            for (auto match = number.globalMatch(cursors + " " + plot.toolTip()); match.hasNext();)
                QVERIFY2(match.next().captured().size() <= 12, qPrintable(cursors));
            if (high)
                QVERIFY2(QRegularExpression("Δt = 0[.,]0000\\d+ µs").match(cursors).hasMatch(),
                         qPrintable(cursors));
            else
                QVERIFY2(cursors.contains("E+2"), qPrintable(cursors));
            break;
        }
        }
    }
};

VELMARO_TEST(RoughEdgesTest);
#include "rough_edges_tests.moc"
