// SPDX-License-Identifier: GPL-3.0-or-later
// Input that arrives while "Grafici" runs, queued as the window system delivers it: after a stop,
// until the work has ended, it reaches no window and is dropped; in the first half second it
// waits and is handled, in order, once the command has returned (in the window then active: the
// graph window, which the command brought forward). Nothing the command holds is
// freed under it, and the windows' labels and plot agree at the end.

#include "app/long_work.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "plot/files.h"
#include "main_window/design_files.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QSplashScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <qpa/qwindowsysteminterface.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

using namespace graph_window;
using namespace plot;

namespace {

using Async = QWindowSystemInterface::AsynchronousDelivery;

// A run of 10^9 steps, which does not settle, and the worked example, which takes a millisecond.
const QStringList kLongRun{"10", "50", "10", "1000", "10000", "1000000", "1", "1000"};
const QStringList kShortRun{"10", "30", "1", "1", "1000", "10", "1", "2000"};

enum class Input { Graph, CloseGraph, CloseMain, Open, Save, CloseAll };

// A click of the left button on a widget, as the window system queues it.
void QueueClick(QWidget& widget) {
    QWindow* window = widget.window()->windowHandle();
    const QPointF local = widget.mapTo(widget.window(), widget.rect().center());
    const QPointF global = widget.mapToGlobal(widget.rect().center());
    for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                        std::pair{QEvent::MouseButtonRelease, Qt::NoButton}})
        QWindowSystemInterface::handleMouseEvent<Async>(window, local, global, buttons,
                                                         Qt::LeftButton, type);
}

void QueueKey(QWidget& window, int key, Qt::KeyboardModifiers modifiers) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        QWindowSystemInterface::handleKeyEvent<Async>(window.windowHandle(), type, key, modifiers);
}

struct Session : MainWindowSession {
    QStringList asked; // the file dialogs the user was shown

    Session() {
        main.Files().SetAskForFile([this](main_window::FileQuestion question, const QString&) {
            asked << (question == main_window::FileQuestion::Open ? "open" : "save as");
            return QString();
        });
        // Closing the window with the fields changed goes on without saving them.
        main.Files().SetAskToSave([](const QString&) { return main_window::SaveChoice::Discard; });
    }
    Form2& graph() { return main.GraphWindow(); }
    QString result(const char* label) { return graph().findChild<QLabel*>(label)->text(); }

    void give(Input input) {
        switch (input) {
        case Input::Graph:
            return QueueClick(*main.findChild<QPushButton*>("Command2"));
        case Input::CloseGraph:
            QWindowSystemInterface::handleCloseEvent<Async>(graph().windowHandle());
            return;
        case Input::CloseMain:
            QWindowSystemInterface::handleCloseEvent<Async>(main.windowHandle());
            return;
        case Input::Open:
            return QueueKey(main, Qt::Key_O, Qt::ControlModifier);
        case Input::Save:
            return QueueKey(main, Qt::Key_S, Qt::ControlModifier);
        case Input::CloseAll:
            // A session manager's quit, which closes the windows straight away, once the
            // command runs.
            QTimer::singleShot(0, [] { QApplication::closeAllWindows(); });
            return;
        }
    }
};

// Handles whatever is pending, deferred deletions included.
void Settle() {
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class StoppedCommandTest : public QObject {
    Q_OBJECT
private slots:
    void inputDuringARunWaitsOrIsDropped_data() {
        QTest::addColumn<bool>("afterStop"); // else in the first half second, before the dialog
        QTest::addColumn<int>("input");
        QTest::addColumn<QLocale>("locale");
        const std::pair<const char*, Input> inputs[] = {
            {"Grafici", Input::Graph},      {"closing the graph window", Input::CloseGraph},
            {"closing the main window", Input::CloseMain}, {"Ctrl+O", Input::Open},
            {"Ctrl+S", Input::Save},        {"closing all windows", Input::CloseAll}};
        int row = 0;
        for (const bool afterStop : {true, false})
            for (const auto& [name, input] : inputs)
                QTest::newRow(qPrintable(QString(afterStop ? "after the stop: %1"
                                                           : "in the first half second: %1")
                                             .arg(name)))
                    << afterStop << int(input)
                    << (row++ % 2 ? ItalianLocale() : EnglishLocale());
    }
    void inputDuringARunWaitsOrIsDropped() {
        QFETCH(bool, afterStop);
        QFETCH(int, input);
        QFETCH(QLocale, locale);
        const Input given = Input(input);
        LocaleScope scope(locale);
        Session session;
        session.setVerification(kShortRun);
        QVERIFY(session.click("Command2").isEmpty()); // an earlier plot on show
        QPointer<Form2> graph = &session.graph();
        graph->move(session.main.frameGeometry().right() + 10, 0);
        QVERIFY(QTest::qWaitForWindowExposed(graph));
        session.main.activateWindow(); // where the keys go
        QVERIFY(QTest::qWaitForWindowActive(&session.main));
        graph->SetSaveFileChooser([&session](QWidget&, const SaveQuestion&) {
            session.asked << "save picture";
            return SaveAnswer{};
        });
        const auto earlierRun = graph->PlotSurface().Drawn()->run;

        bool given_ = false;
        QTimer watch;
        if (afterStop) {
            // Once the dialog shows: "Interrompi" and the input, queued together.
            session.setVerification(kLongRun);
            watch.setInterval(20);
            QObject::connect(&watch, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
                if (given_ || !dialog || !dialog->isVisible())
                    return;
                given_ = true;
                QueueClick(*dialog->findChild<QPushButton*>());
                session.give(given);
            });
            watch.start();
        } else {
            // Queued before the command looks at its events: they reach it while it runs.
            given_ = true;
            session.give(given);
        }
        QVERIFY(session.click("Command2").isEmpty());
        QVERIFY(given_);

        // As the command returns: its own windows, the labels and the plot of its run.
        QVERIFY(graph);
        QVERIFY(session.main.isVisible() && graph->isVisible());
        QCOMPARE(session.asked, QStringList());
        const auto& drawn = graph->PlotSurface().Drawn();
        if (afterStop) {
            QVERIFY2(session.result("SteadyStateLabel").startsWith("Simulazione interrotta"),
                     qPrintable(session.result("SteadyStateLabel")));
            QCOMPARE(session.result("Label5"), QString());
            QVERIFY(!drawn);
        } else {
            QVERIFY(drawn && drawn->run != earlierRun);
            QCOMPARE(session.result("Label5"), QLocale().toString(1.56, 'f', 2) + "E+03");
        }

        // Afterwards: input given after the stop was dropped, input of the first half second
        // is handled now.
        const auto shownRun = drawn ? drawn->run : nullptr;
        Settle();
        const bool handled = !afterStop;
        switch (given) {
        case Input::Graph:
            QVERIFY(graph);
            QCOMPARE(graph->PlotSurface().Drawn().has_value(), handled);
            if (handled)
                QVERIFY(graph->PlotSurface().Drawn()->run != shownRun);
            break;
        case Input::CloseGraph:
            QCOMPARE(graph.isNull(), handled);
            break;
        case Input::CloseMain:
            QCOMPARE(session.main.isVisible(), !handled);
            QVERIFY(graph && graph->isVisible());
            break;
        case Input::CloseAll:
            // The window it asked to close first, whichever that was, closes now.
            QCOMPARE(session.main.isVisible() && graph, !handled);
            break;
        case Input::Open:
        case Input::Save:
            // Shortcuts act in the active window, which is now the graph window the command
            // brought forward: Ctrl+S saves its picture there, Ctrl+O does nothing.
            QCOMPARE(session.asked, handled && given == Input::Save ? QStringList{"save picture"}
                                                                    : QStringList());
            break;
        }
        if (graph && !graph->PlotSurface().Drawn())
            QCOMPARE(session.result("Label5"), QString());
        delete graph.data();
    }
};

VELMARO_TEST(StoppedCommandTest);

// The long-work runner itself, with fake work in place of a run.
enum class Shown { Tooltip, Menu, Splash };

// Work that runs until it is released (or stopped).
struct FakeWork {
    std::atomic<bool> release = false;
    app::LongWork work{[this](engine::RunControl& control) {
                           while (!release && !control.StopRequested())
                               std::this_thread::sleep_for(std::chrono::milliseconds(1));
                       },
                       [](const engine::RunControl&) {
                           return app::WorkProgress{"fake work", 0};
                       },
                       "out of memory"};
    bool Finishes() { return app::RunWithProgress(work).end == app::WorkEnd::Finished; }
};

class LongWorkTest : public QObject {
    Q_OBJECT
private slots:
    // The worker's wake and the end of the quiet half second reach the window's thread in one
    // pass of its event loop, in either order: the command returns as the work has ended.
    void workEndingAtTheQuietDeadlineEndsTheWait_data() {
        QTest::addColumn<int>("endsAt"); // ms after the start; the thread is busy until 650
        QTest::newRow("while the thread is busy, before the deadline") << 450;
        QTest::newRow("while the thread is busy, at the deadline") << 500;
        QTest::newRow("while the thread is busy, after the deadline") << 560;
    }
    void workEndingAtTheQuietDeadlineEndsTheWait() {
        QFETCH(int, endsAt);
        QElapsedTimer clock;
        FakeWork fake;
        QTimer::singleShot(400, Qt::PreciseTimer, [&] {
            while (clock.elapsed() < endsAt) {
            }
            fake.release = true;
            while (clock.elapsed() < 650) {
            }
        });
        // Should the wait never end: recorded, and ended by the application's exit, which
        // stops the work.
        bool hung = false;
        QTimer::singleShot(5000, [&] {
            hung = true;
            QCoreApplication::exit(0);
        });
        clock.start();
        QVERIFY(fake.Finishes());
        QVERIFY2(!hung, "the wait did not end with the work");
    }

    // Work started from inside another command's wait (a timer's command) runs beside the
    // first work, which here ends only once the second has: neither waits for the other.
    void workInsideAnotherWaitRunsAtOnce() {
        FakeWork outer, inner;
        inner.release = true;
        bool innerFinished = false;
        QTimer::singleShot(20, [&] {
            innerFinished = inner.Finishes();
            outer.release = true;
        });
        QVERIFY(outer.Finishes());
        QVERIFY(innerFinished);
    }

    // A tooltip, a menu or a splash screen the toolkit closes while a command runs closes at
    // once (the windows that wait for the command's end: StoppedCommandTest).
    void onlyWindowsWaitForTheCommand_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("tooltip") << int(Shown::Tooltip);
        QTest::newRow("popup menu") << int(Shown::Menu);
        QTest::newRow("splash screen") << int(Shown::Splash);
    }
    void onlyWindowsWaitForTheCommand() {
        QFETCH(int, kind);
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const QPoint at = owner.mapToGlobal(QPoint(20, 20));
        QMenu menu;
        menu.addAction("voce");
        QSplashScreen splash;
        QPointer<QWidget> shown;
        switch (Shown(kind)) {
        case Shown::Tooltip:
            QToolTip::showText(at, "suggerimento", &owner);
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->windowType() == Qt::ToolTip && widget->isVisible())
                    shown = widget;
            break;
        case Shown::Menu:
            menu.popup(at);
            shown = &menu;
            break;
        case Shown::Splash:
            splash.show();
            shown = &splash;
            break;
        }
        QVERIFY(shown && shown->isVisible());

        FakeWork fake;
        bool visibleDuring = true;
        QTimer::singleShot(50, [&] {
            shown->close();
            visibleDuring = shown && shown->isVisible();
            fake.release = true;
        });
        QVERIFY(fake.Finishes());
        QVERIFY(!visibleDuring);
    }
};

VELMARO_TEST(LongWorkTest);
#include "stopped_command_tests.moc"
