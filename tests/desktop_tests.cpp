// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a desktop: its menu bar, the question before unsaved changes are lost, the
// title, recent files, windows that fit the screen and open beside it, and the SPICE netlist.

#include "app/command_line.h"
#include "main_window/main_menu.h"
#include "main_window/netlist_command.h"
#include "main_window/recent_files.h"
#include "plot/window.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <optional>

using main_window::FileAction;

namespace {

// A main window whose file dialogs answer with a given path.
struct DeskWindow : MainWindowSession {
    QString answer;
    QString netlistAnswer;

    DeskWindow() {
        main.Files().SetAskForFile([this](main_window::FileQuestion, const QString&) { return answer; });
        main.SetSaveFileChooser([this](QWidget&, const plot::SaveQuestion& question) {
            return plot::SaveAnswer{netlistAnswer, question.filters.value(0)};
        });
    }
    QMenu& menu(const char* name) { return *main.findChild<QMenu*>(name); }
    QAction& entry(const char* menuName, const QString& text) {
        for (QAction* action : menu(menuName).actions())
            if (action->text() == text)
                return *action;
        qFatal("no entry %s", qPrintable(text));
    }
    // Triggers an entry, answering its message boxes with answer; their texts.
    QStringList trigger(const char* menuName, const QString& text,
                        QMessageBox::StandardButton answer = QMessageBox::Ok) {
        MessageBoxAnswerer answerer(answer);
        entry(menuName, text).trigger();
        return answerer.texts();
    }
    QStringList recentEntries() {
        QMenu& recent = main.Files().RecentMenu();
        emit recent.aboutToShow();
        QStringList texts;
        for (const QAction* action : recent.actions())
            texts << action->text();
        return texts;
    }
};

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A figure of the graph window in volts: its box's text in the locale, scaled by its unit.
double Volts(QWidget& window, const char* box, const char* unit) {
    const QString text = window.findChild<QLabel*>(box)->text();
    const QString scale = window.findChild<QLabel*>(unit)->text();
    const double factor = scale == "[mV]" ? 1e-3 : scale == "[µV]" ? 1e-6 : 1;
    return QLocale().toDouble(text) * factor;
}

std::optional<double> Measured(const QString& output, const char* name) {
    const QRegularExpression line(QStringLiteral("^%1\\s*=\\s*(\\S+)").arg(name),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(output);
    bool ok = false;
    const double value = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

// The content page of an open window, found by its name.
const QWidget* WindowContent(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (const auto* content = window->findChild<QWidget*>(name))
            return content;
    return nullptr;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        settings_.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
    }

    void theMenuBarOffersEveryEntryWithItsKeys_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << EnglishLocale();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void theMenuBarOffersEveryEntryWithItsKeys() {
        QFETCH(QLocale, locale);
        const LocaleScope scope(locale);
        DeskWindow window;
        QStringList menus;
        for (const QAction* action : window.main.MenuBar().actions()) {
            menus << action->text() + ":";
            for (const QAction* entry : action->menu()->actions())
                if (!entry->isSeparator())
                    menus << entry->text() + " " + entry->shortcut().toString();
        }
        QCOMPARE(menus, QStringList({"&File:", "Nuovo Ctrl+N", "Apri… Ctrl+O", "Apri recenti ",
                                     "Salva Ctrl+S", "Salva con nome… Ctrl+Shift+S",
                                     "Esporta netlist SPICE… ", "Esci Ctrl+Q", "&Strumenti:",
                                     "Grafici ", "Risposta ", "Scegli filtro… ", "&Aiuto:",
                                     "Manuale ", "Informazioni su Velmaro ",
                                     "Informazioni su Qt "}));
        // The controls lie below the menu bar, where they always were within the content.
        QVERIFY(window.main.Content().mapTo(&window.main, QPoint(0, 0)).y() >=
                window.main.MenuBar().geometry().bottom());
        QCOMPARE(main_window::AboutText(),
                 "Velmaro " + app::ProgramVersion() +
                     "\n\nProgetto e verifica del filtro RC che trasforma un segnale PWM in una "
                     "tensione continua.\n\nLicenza GPL-3.0-or-later: GNU GPL versione 3 o "
                     "successiva.\n\nwww.velmaro.org");
        // Built and run from the build folder, no manual lies beside the program.
        QCOMPARE(main_window::ManualAddress(), QUrl("https://www.velmaro.org"));
        // A tool of the menu is its button's command: "Grafici" with empty fields says so.
        QCOMPARE(window.trigger("ToolsMenu", "Grafici"), window.click("Command2"));
        // "Esci" closes the window, an unchanged design without a question.
        QCOMPARE(window.trigger("FileMenu", "Esci"), QStringList());
        QVERIFY(!window.main.isVisible());
    }

    // With a saved design changed, each way of leaving it asks, and each answer does its part.
    void unsavedChangesAreNotLostWithoutAQuestion_data() {
        QTest::addColumn<QString>("leaving"); // "Esci", "Nuovo", "Apri…" or "recent"
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("changed");
        for (const char* leaving : {"Esci", "Nuovo", "Apri…", "recent"}) {
            QTest::addRow("%s, Salva", leaving) << leaving << int(QMessageBox::Save) << true;
            QTest::addRow("%s, Non salvare", leaving) << leaving << int(QMessageBox::Discard) << true;
            QTest::addRow("%s, Annulla", leaving) << leaving << int(QMessageBox::Cancel) << true;
            QTest::addRow("%s, unchanged", leaving) << leaving << int(QMessageBox::Ok) << false;
        }
    }
    void unsavedChangesAreNotLostWithoutAQuestion() {
        QFETCH(QString, leaving);
        QFETCH(int, answer);
        QFETCH(bool, changed);
        QTemporaryDir folder;
        const QString path = folder.filePath("progetto.velmaro");
        const QString other = folder.filePath("altro.velmaro");
        DeskWindow window;
        window.field("Text1").setText("5");
        window.answer = other;
        QCOMPARE(window.trigger("FileMenu", "Salva con nome…"), QStringList()); // altro.velmaro
        window.field("Text1").setText("10");
        window.answer = path;
        QCOMPARE(window.trigger("FileMenu", "Salva con nome…"), QStringList()); // progetto.velmaro
        if (changed)
            window.field("Text1").setText("12");

        MessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
        window.answer = other;
        if (leaving == "recent") {
            const QStringList recent = window.recentEntries();
            QCOMPARE(recent.value(1), QString("&2 altro.velmaro"));
            window.main.Files().RecentMenu().actions().at(1)->trigger();
        } else {
            window.entry("FileMenu", leaving).trigger();
        }
        const bool kept = changed && answer == QMessageBox::Cancel;
        if (!changed) {
            QCOMPARE(answerer.texts(), QStringList());
        } else {
            QCOMPARE(answerer.texts(), QStringList{"Salvare le modifiche a progetto.velmaro?"});
            const ShownMessage& question = answerer.shown().constFirst();
            QCOMPARE(question.title, QString("Velmaro"));
            QStringList buttons = question.buttonTexts;
            buttons.sort();
            QCOMPARE(buttons, QStringList({"Annulla", "Non salvare", "Salva"}));
        }
        // Only "Salva" writes the change.
        QCOMPARE(QString(Read(path)).contains("\"E\": \"12\""), answer == QMessageBox::Save);
        // "Annulla" keeps the design in the window; the others go on.
        const bool closed = leaving == "Esci" && !kept;
        const bool opened = (leaving == "Apri…" || leaving == "recent") && !kept;
        const bool plain = leaving == "Nuovo" && !kept;
        QCOMPARE(window.main.isVisible(), !closed);
        QCOMPARE(window.text("Text1"), opened ? "5" : plain ? "" : changed ? "12" : "10");
        QCOMPARE(window.main.Files().CurrentFile(), opened ? other : plain ? QString() : path);
        // The change mark stays on what was neither saved nor left.
        QCOMPARE(window.main.isWindowModified(),
                 kept || (closed && changed && answer == QMessageBox::Discard));
    }

    void theTitleNamesTheFileAndMarksItsChanges() {
        QTemporaryDir folder;
        DeskWindow window;
        const auto title = [&] {
            return window.main.windowTitle() + (window.main.isWindowModified() ? " *" : "");
        };
        QCOMPARE(title(), QString("Velmaro"));
        window.field("Text1").setText("10");
        QCOMPARE(title(), QString("Velmaro")); // no file: as always
        window.answer = folder.filePath("progetto.velmaro");
        window.trigger("FileMenu", "Salva con nome…");
        QCOMPARE(title(), QString("progetto.velmaro[*] - Velmaro"));
        window.main.findChild<QComboBox*>("SeriesCombo")->setCurrentIndex(0);
        QCOMPARE(title(), QString("progetto.velmaro[*] - Velmaro *"));
        window.trigger("FileMenu", "Salva");
        QCOMPARE(title(), QString("progetto.velmaro[*] - Velmaro"));
        window.field("Text1").setText("11");
        window.trigger("FileMenu", "Nuovo", QMessageBox::Discard);
        QCOMPARE(title(), QString("Velmaro"));
        QCOMPARE(window.main.findChild<QComboBox*>("SeriesCombo")->currentIndex(), 1);
        window.main.Files().Open(folder.filePath("progetto.velmaro"));
        QCOMPARE(title(), QString("progetto.velmaro[*] - Velmaro"));
        QCOMPARE(window.text("Text1"), QString("10"));
    }

    void recentFilesKeepTheLastEightAndForgetAMissingOne() {
        QTemporaryDir folder;
        DeskWindow window;
        QCOMPARE(window.recentEntries(), QStringList{"(nessun file)"});
        for (int i = 1; i <= 9; ++i) {
            window.answer = folder.filePath(QString("p%1.velmaro").arg(i));
            window.trigger("FileMenu", "Salva con nome…");
        }
        window.main.Files().Open(folder.filePath("p5.velmaro")); // opened: first again
        QCOMPARE(window.recentEntries(),
                 QStringList({"&1 p5.velmaro", "&2 p9.velmaro", "&3 p8.velmaro", "&4 p7.velmaro",
                              "&5 p6.velmaro", "&6 p4.velmaro", "&7 p3.velmaro", "&8 p2.velmaro"}));
        // Kept between sessions: a new window lists the same.
        DeskWindow next;
        QCOMPARE(next.recentEntries().size(), 8);
        QVERIFY(QFile::remove(folder.filePath("p8.velmaro")));
        MessageBoxAnswerer answerer;
        window.main.Files().RecentMenu().actions().at(2)->trigger();
        QCOMPARE(answerer.texts(), QStringList{"Il file " + folder.filePath("p8.velmaro") +
                                               " non esiste più: è stato tolto dai file recenti."});
        QCOMPARE(window.recentEntries().value(2), QString("&3 p7.velmaro"));
        QCOMPARE(window.recentEntries().size(), 7);
        QCOMPARE(window.main.Files().CurrentFile(), folder.filePath("p5.velmaro"));
    }

    // Fitting a screen's available area, and a place clear of the main window's buttons.
    void windowsFitTheScreenAndOpenBeside_data() {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("fitted");
        // 1366 × 768 under a 28-pixel panel; 1024 × 600; 1920 × 1200 at scale 2.
        QTest::newRow("laptop, fits") << QSize(1346, 690) << QRect(0, 28, 1366, 740) << QSize(1346, 690);
        QTest::newRow("laptop, too tall") << QSize(1290, 748) << QRect(0, 28, 1366, 740) << QSize(1290, 740);
        QTest::newRow("netbook") << QSize(1380, 595) << QRect(0, 0, 1024, 600) << QSize(1024, 595);
        QTest::newRow("scale 2") << QSize(1380, 595) << QRect(0, 0, 960, 570) << QSize(960, 570);
    }
    void windowsFitTheScreenAndOpenBeside() {
        QFETCH(QSize, wanted);
        QFETCH(QRect, available);
        QFETCH(QSize, fitted);
        QCOMPARE(plot::FittedSize(wanted, available), fitted);
    }

    void aWindowOpensClearOfTheButtons_data() {
        QTest::addColumn<QRect>("buttons");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<std::optional<QPoint>>("placed");
        QTest::newRow("right") << QRect(0, 0, 900, 500) << QSize(1000, 700) << std::optional(QPoint(900, 0));
        QTest::newRow("left") << QRect(1000, 100, 900, 500) << QSize(900, 700) << std::optional(QPoint(100, 100));
        QTest::newRow("below") << QRect(100, 0, 1700, 400) << QSize(1200, 600) << std::optional(QPoint(100, 400));
        QTest::newRow("above, kept on screen") << QRect(100, 700, 1700, 300) << QSize(1900, 600) << std::optional(QPoint(20, 100));
        QTest::newRow("no room") << QRect(100, 100, 1700, 900) << QSize(1200, 700) << std::optional<QPoint>();
        QTest::newRow("larger than the screen") << QRect(0, 0, 10, 10) << QSize(2000, 700) << std::optional<QPoint>();
    }
    // On a 1920 × 1050 screen.
    void aWindowOpensClearOfTheButtons() {
        QFETCH(QRect, buttons);
        QFETCH(QSize, frame);
        QFETCH(std::optional<QPoint>, placed);
        const QRect screen(0, 0, 1920, 1050);
        QCOMPARE(plot::PlaceClearOf(buttons, frame, screen), placed);
    }

    // Under the test platform's 800 × 800 screen the main window scrolls, every control within
    // reach, and the graph window opens where the screen lets it.
    void theMainWindowScrollsOnASmallScreen() {
        DeskWindow window;
        const QRect available = window.main.screen()->availableGeometry();
        QVERIFY(window.main.width() <= available.width());
        QVERIFY(window.main.height() <= available.height());
        auto& area = *window.main.findChild<QScrollArea*>("Form1Scroll");
        QCOMPARE(area.widget(), &window.main.Content());
        QCOMPARE(area.horizontalScrollBar()->maximum(),
                 window.main.Content().width() - area.viewport()->width());
        // Each window's content fits a 1366 × 768 laptop inside a title bar and a panel.
        const QSize laptop(1346, 690);
        QVERIFY(window.main.Content().size().boundedTo(laptop) == window.main.Content().size());
        window.setVerification({"10", "30", "1", "1", "1000"});
        for (const char* name : {"Text1", "Text2", "Text3", "Text6"})
            window.field(name).setText("10");
        QCOMPARE(window.trigger("ToolsMenu", "Risposta"), QStringList());
        QCOMPARE(window.trigger("ToolsMenu", "Scegli filtro…"), QStringList());
        (void)window.main.GraphWindow();
        for (const char* name : {"Form2Content", "ResponseWindowContent", "ChooserWindowContent"}) {
            const QWidget* content = WindowContent(name);
            QVERIFY2(content && content->size().boundedTo(laptop) == content->size(), name);
        }
        QWidget& farthest = *window.main.findChild<QWidget*>("LoadUnit"); // the rightmost
        area.ensureWidgetVisible(&farthest);
        QVERIFY(area.viewport()->rect().contains(
            QRect(farthest.mapTo(area.viewport(), QPoint(0, 0)), farthest.size())));
    }

    // A window built with its controls on itself keeps their places, their tab order and what
    // was hidden, and scrolls on the test platform's 800 × 800 screen.
    void aWindowsControlsMoveOntoAScrollingPage() {
        QWidget window;
        window.setObjectName("Big");
        window.resize(1290, 900);
        auto* first = new QLineEdit(&window);
        auto* hidden = new QLineEdit(&window);
        auto* second = new QLineEdit(&window);
        first->setGeometry(10, 10, 100, 20);
        second->setGeometry(1100, 850, 100, 20);
        hidden->hide();
        QWidget::setTabOrder(second, first);
        const auto editsInTabOrder = [&] {
            QList<QWidget*> edits;
            for (QWidget* next = first->nextInFocusChain(); next != first; next = next->nextInFocusChain())
                if (qobject_cast<QLineEdit*>(next))
                    edits << next;
            return edits;
        };
        const QList<QWidget*> before = editsInTabOrder();
        plot::ScrollControlsWhenSmall(window);
        window.show();
        QWidget& content = *window.findChild<QWidget*>("BigContent");
        QCOMPARE(content.size(), QSize(1290, 900));
        QCOMPARE(second->parentWidget(), &content);
        QCOMPARE(second->geometry(), QRect(1100, 850, 100, 20));
        QVERIFY(hidden->isHidden() && !first->isHidden());
        QCOMPARE(editsInTabOrder(), before);
        QVERIFY(window.width() <= 800 && window.height() <= 800);
    }

    // Each window opened from the main window comes back where it was last, on a screen that
    // is present; a place on a screen now gone is not used. Closed, it keeps its place.
    void everyWindowComesBackToItsPlace_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QRect>("kept");
        QTest::addColumn<bool>("restored");
        for (const auto& [entry, key] :
             {std::pair("Grafici", "Form2"), std::pair("Risposta", "ResponseWindow"),
              std::pair("Scegli filtro…", "ChooserWindow")}) {
            QTest::addRow("%s, on the screen", key)
                << entry << key << QRect(30, 40, 500, 400) << true;
            QTest::addRow("%s, screen gone", key)
                << entry << key << QRect(5000, 40, 500, 400) << false;
        }
    }
    void everyWindowComesBackToItsPlace() {
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QFETCH(QRect, kept);
        QFETCH(bool, restored);
        QSettings("Velmaro", "Velmaro").setValue("Places/" + key, kept);
        DeskWindow window;
        window.setVerification({"10", "30", "1", "1", "1000", "10", "3", "2000"});
        for (const char* name : {"Text1", "Text2", "Text3", "Text6"}) // the chooser's design
            window.field(name).setText("10");
        QCOMPARE(window.trigger("ToolsMenu", entry), QStringList());
        QWidget* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget != &window.main && widget->isVisible() && !qobject_cast<QMenu*>(widget))
                opened = widget;
        QVERIFY(opened);
        const QRect place(opened->pos(), opened->size());
        QCOMPARE(place == kept, restored);
        QVERIFY(QGuiApplication::screenAt(place.topLeft()));
        opened->move(60, 70);
        opened->close();
        QCOMPARE(QSettings("Velmaro", "Velmaro").value("Places/" + key).toRect(),
                 QRect(QPoint(60, 70), place.size()));
    }

    // The netlist of the verification circuit, written through the menu and, where ngspice is
    // installed, run: its mean and ripple are the graph window's ideal circuit's within 1 %.
    void theNetlistIsWrittenAndRuns_data() {
        QTest::addColumn<QString>("R2");
        QTest::addColumn<QString>("C2");
        QTest::addColumn<QString>("RL");
        QTest::newRow("one RC") << "" << "" << "";
        QTest::newRow("two stages, a load") << "100" << "2.1" << "1000";
    }
    void theNetlistIsWrittenAndRuns() {
        QFETCH(QString, R2);
        QFETCH(QString, C2);
        QFETCH(QString, RL);
        const LocaleScope scope(EnglishLocale());
        QTemporaryDir folder;
        DeskWindow window;
        window.click("Command3");
        window.click("Command1");
        window.field("R2Field").setText(R2);
        window.field("C2Field").setText(C2);
        window.field("RLField").setText(RL);
        window.answer = folder.filePath("progetto.velmaro");
        window.trigger("FileMenu", "Salva con nome…");
        QCOMPARE(window.click("Command2"), QStringList());
        QWidget& graph = window.main.GraphWindow();
        const double mean = Volts(graph, "ExactMeanLabel", "ExactMeanUnit");
        const double ripple = Volts(graph, "ExactRippleLabel", "ExactRippleUnit");

        window.netlistAnswer = folder.filePath("verifica");
        QCOMPARE(window.trigger("FileMenu", "Esporta netlist SPICE…"), QStringList());
        const QString path = folder.filePath("verifica.cir");
        const QString text = Read(path);
        QVERIFY2(text.startsWith("* Velmaro " + app::ProgramVersion() +
                                 ": circuito di verifica di progetto.velmaro\n"),
                 qPrintable(text));
        QCOMPARE(text.contains("R2 "), !R2.isEmpty());
        QCOMPARE(text.contains("RL "), !RL.isEmpty());

        const QString ngspice = QStandardPaths::findExecutable("ngspice");
        if (ngspice.isEmpty())
            QSKIP("ngspice is not installed");
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(ngspice, {"-b", path});
        QVERIFY(run.waitForFinished(120'000));
        const QString output = QString::fromLocal8Bit(run.readAll());
        const std::optional<double> vom = Measured(output, "vom");
        const std::optional<double> deltavo = Measured(output, "deltavo");
        QVERIFY2(vom && deltavo, qPrintable(output));
        QVERIFY2(std::fabs(*vom - mean) <= 0.01 * mean, qPrintable(QString("%1 V against %2 V").arg(*vom).arg(mean)));
        QVERIFY2(std::fabs(*deltavo - ripple) <= 0.01 * ripple,
                 qPrintable(QString("%1 V against %2 V").arg(*deltavo).arg(ripple)));
    }

    // A field "Grafici" refuses gets its message; a circuit that settles too slowly gets its own;
    // neither writes a file or asks for one.
    void theNetlistIsRefusedAsGraficiRefuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages"); // empty: those of "Grafici"
        QTest::newRow("no E") << "Text7" << "" << QStringList();
        QTest::newRow("D of 100 %") << "Text8" << "100" << QStringList();
        QTest::newRow("settles too slowly")
            << "Text10" << "1e7"
            << QStringList{"Il circuito impiega più di 20000 periodi ad assestarsi: la netlist "
                           "non è stata scritta."};
    }
    void theNetlistIsRefusedAsGraficiRefuses() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        QTemporaryDir folder;
        DeskWindow window;
        window.click("Command3");
        window.click("Command1");
        window.field(field).setText(text);
        bool asked = false;
        window.main.SetSaveFileChooser([&](QWidget&, const plot::SaveQuestion&) {
            asked = true;
            return plot::SaveAnswer{folder.filePath("n.cir"), {}};
        });
        const QStringList shown = window.trigger("FileMenu", "Esporta netlist SPICE…");
        QCOMPARE(shown, messages.isEmpty() ? window.click("Command2") : messages);
        QVERIFY(!shown.isEmpty());
        QVERIFY(!asked);
        QVERIFY(QDir(folder.path()).isEmpty());
    }

private:
    std::optional<QTemporaryDir> settings_; // where QSettings keeps recent files and places
};

VELMARO_TEST(DesktopTest);

#include "desktop_tests.moc"
