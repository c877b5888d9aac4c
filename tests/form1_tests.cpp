// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: its layout, "Dati Esempio" and "Calcola C".

#include "app/control_table.h"
#include "app/images.h"
#include "graph_window/plot_area.h"
#include "main_window/form1.h"
#include "main_window/form1_layout.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace app;
using namespace main_window;

namespace {

// The main window with typing and the design fields at hand.
struct MainWindow : MainWindowSession {
    void type(const char* name, const QString& text) {
        field(name).clear();
        QTest::keyClicks(&field(name), text);
    }
    void setDesign(const char* E, const char* Vom, const char* f, const char* DeltaVo,
                   const char* R) {
        field("Text1").setText(E);
        field("Text2").setText(Vom);
        field("Text3").setText(f);
        field("Text4").setText(DeltaVo);
        field("Text6").setText(R);
    }
};

const char* const kVerificationFields[] = {"Text7", "Text12", "Text8", "Text10", "Text9"};

const QColor kFieldBlue(0, 0, 255);

QString Accessible(QWidget& control, QAccessible::Text text) {
    return QAccessible::queryAccessibleInterface(&control)->text(text);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsWholeLayout() {
        MainWindow main;
        QCOMPARE(main.main.objectName(), QString("Form1"));
        QCOMPARE(main.main.windowTitle(), QString("Velmaro"));
        QCOMPARE(main.main.Content().size(), QSize(1346, 570));
        QVERIFY(main.main.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(main.main.windowIcon().availableSizes().contains(QSize(32, 32)));
        for (const ControlRow& row : Form1Rows()) {
            auto* control = main.main.findChild<QWidget*>(row.name);
            QVERIFY2(control, row.name);
            QCOMPARE(control->parentWidget(), &main.main.Content());
            QCOMPARE(control->geometry(), TwipsToPixels(row.rect));
        }
        QCOMPARE(main.caption("Label59"),
                 QString("ton  = intervallo di tempo in cui il segnale in ingresso è alto = E"));
        QCOMPARE(main.caption("Label5"), QString("Δ"));
        QCOMPARE(main.text("Text13"), QString("1000"));
        QCOMPARE(main.text("Text14"), QString("10"));
        QCOMPARE(main.text("Text15"), QString("2000"));
        QVERIFY(main.caption("Label25").isEmpty());
        for (const char* name : kVerificationFields)
            QVERIFY(main.text(name).isEmpty());
        const QPixmap schematic = main.main.findChild<QLabel*>("Picture1")->pixmap();
        QCOMPARE(schematic.size(), QSize(320, 214));
    }

    // Every caption must fit its rectangle in the font that actually got used.
    void noCaptionIsClipped() {
        MainWindow main;
        for (const ControlRow& row : Form1Rows()) {
            if (row.kind != ControlKind::Label && row.kind != ControlKind::PushButton)
                continue;
            auto* control = main.main.findChild<QWidget*>(row.name);
            QCOMPARE(QFontInfo(control->font()).family(), QString("Liberation Sans"));
            const QFontMetrics metrics(control->font());
            const QString text = QString::fromUtf8(row.text);
            const int border = row.kind == ControlKind::PushButton ? 8 : 0;
            QVERIFY2(metrics.horizontalAdvance(text) + border <= control->width(), row.name);
            QVERIFY2(metrics.height() <= control->height(), row.name);
        }
        // The widest caption of the standard part, and every choice of the part group's combos.
        QVERIFY(QFontMetrics(main.main.findChild<QLabel*>("StandardCCaption")->font())
                    .horizontalAdvance("C serie E96:") <=
                main.main.findChild<QLabel*>("StandardCCaption")->width());
        for (QComboBox* combo : main.main.findChildren<QComboBox*>())
            QVERIFY2(combo->sizeHint().width() <= combo->width(), qPrintable(combo->objectName()));
        // The widest text a verification field gets from "Calcola C".
        const QFontMetrics metrics(main.field("Text7").font());
        QVERIFY(metrics.horizontalAdvance("8.888E+188") + 8 <= main.field("Text7").width());
    }

    void facesAndFieldsShowTheirColours() {
        MainWindow main;
        const QImage picture = main.main.Content().grab().toImage();
        const auto colourInside = [&](const char* name) {
            const QRect rect = main.main.findChild<QWidget*>(name)->geometry();
            return picture.pixelColor(rect.right() - 4, rect.bottom() - 4);
        };
        QCOMPARE(colourInside("Text1"), QColor(192, 192, 255));
        QCOMPARE(colourInside("Text7"), QColor(255, 192, 192));
        QCOMPARE(colourInside("Text13"), QColor(255, 192, 192));
        QCOMPARE(colourInside("Label25"), QColor(192, 192, 255));
        QCOMPARE(colourInside("Label67"), QColor(192, 255, 255));
        QCOMPARE(colourInside("Command1"), QColor(192, 192, 255));
        QCOMPARE(colourInside("Command3"), QColor(192, 192, 255));
        QCOMPARE(colourInside("Command2"), QColor(255, 192, 192));
    }

    void fieldsTakeTextsOfAnyLength() {
        MainWindow main;
        const QString longText(40000, '1');
        main.field("Text1").setText(longText);
        QCOMPARE(main.text("Text1").size(), 40000);
    }

    void exampleDataFillsTheDesignFieldsOnly() {
        MainWindow main;
        main.type("Text1", "abc");
        main.field("Text2").clear();
        main.field("Text7").setText("7");
        SetTextColour(main.field("Text7"), kPaletteBlue);
        for (int click = 0; click < 2; ++click) {
            QVERIFY(main.click("Command3").isEmpty());
            QCOMPARE(main.text("Text1"), QString("10"));
            QCOMPARE(main.text("Text2"), QString("5"));
            QCOMPARE(main.text("Text3"), QString("10"));
            QCOMPARE(main.text("Text4"), QString("100"));
            QCOMPARE(main.text("Text6"), QString("10"));
        }
        QCOMPARE(main.text("Text7"), QString("7"));
        QCOMPARE(main.textColour("Text7"), kFieldBlue);
        QVERIFY(main.caption("Label25").isEmpty());
    }

    void designsTheExampleUnderEitherLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shownC");
        QTest::addColumn<QString>("standardC"); // the E12 part above the exact C, 249.99 nF
        QTest::newRow("English") << EnglishLocale() << "2.50E+02"
                                 << "2.70E+02";
        QTest::newRow("Italian") << ItalianLocale() << "2,50E+02"
                                 << "2,70E+02";
    }
    void designsTheExampleUnderEitherLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, shownC);
        QFETCH(QString, standardC);
        LocaleScope scope(locale);
        MainWindow main;
        main.type("Text1", "10");
        main.type("Text2", "5");
        main.type("Text3", "10");
        main.type("Text4", "100");
        main.type("Text6", "10");
        QVERIFY(main.click("Command1").isEmpty());
        QCOMPARE(main.caption("Label25"), shownC);
        QCOMPARE(main.caption("ExactCLabel"), shownC);
        QCOMPARE(main.caption("StandardCLabel"), standardC);
        QCOMPARE(Accessible(*main.main.findChild<QLabel*>("Label25"), QAccessible::Description),
                 shownC);
        QCOMPARE(main.text("Text7"), QString("1.000E+01"));
        QCOMPARE(main.text("Text12"), QString("1.000E+01"));
        QCOMPARE(main.text("Text8"), QString("5.000E+01"));
        QCOMPARE(main.text("Text10"), QString("2.500E+02"));
        QCOMPARE(main.text("Text9"), QString("1.000E+01"));
        for (const char* name : kVerificationFields)
            QCOMPARE(main.textColour(name), kFieldBlue);
    }

    void equalOutputAndInputGiveZeroCapacitance() {
        LocaleScope scope(ItalianLocale());
        MainWindow main;
        main.setDesign("5", "5", "10", "100", "10");
        QVERIFY(main.click("Command1").isEmpty());
        QCOMPARE(main.caption("Label25"), QString("0,00E+00"));
        QCOMPARE(main.caption("ExactCLabel"), QString("0,00E+00")); // every C meets the ripple
        QCOMPARE(main.caption("StandardCLabel"), QString());
        QCOMPARE(main.text("Text8"), QString("1.000E+02"));
        QCOMPARE(main.text("Text10"), QString("0.000E+00"));
    }

    // The part group: empty before any design; then, for the last accepted design and each
    // choice at once: the series in the standard part's caption and name, the worst case red
    // above ΔVo, the safe part. A refused "Calcola C" leaves it; "Usa in verifica" writes the
    // safe part into the verification C and gives it the focus; with no part to buy, nothing.
    void thePartGroupFollowsItsCombos_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<int>>("choice"); // positions in the series, C and R combos
        QTest::addColumn<QStringList>("shown"); // caption, standard C, worst ripple, safe C
        QTest::addColumn<bool>("red");
        QTest::newRow("at start") << EnglishLocale() << QList<int>{1, 1, 0}
                                  << QStringList{"C serie E12:", "2.70E+02", "1.04E+02", "3.30E+02"}
                                  << true;
        QTest::newRow("E6, ±20 %, ±5 %")
            << EnglishLocale() << QList<int>{0, 2, 1}
            << QStringList{"C serie E6:", "3.30E+02", "9.97E+01", "3.30E+02"} << false;
        QTest::newRow("E24, ±5 %, ±1 %")
            << EnglishLocale() << QList<int>{2, 0, 0}
            << QStringList{"C serie E24:", "2.70E+02", "9.84E+01", "2.70E+02"} << false;
        QTest::newRow("E96, ±5 %, ±1 %, Italian")
            << ItalianLocale() << QList<int>{3, 0, 0}
            << QStringList{"C serie E96:", "2,55E+02", "1,04E+02", "2,67E+02"} << true;
    }
    void thePartGroupFollowsItsCombos() {
        QFETCH(QLocale, locale);
        QFETCH(QList<int>, choice);
        QFETCH(QStringList, shown);
        QFETCH(bool, red);
        LocaleScope scope(locale);
        MainWindow main;
        const auto group = [&] {
            return QStringList{main.caption("StandardCCaption"), main.caption("StandardCLabel"),
                               main.caption("WorstRippleLabel"), main.caption("SafeCLabel")};
        };
        auto& use = *main.main.findChild<QPushButton*>("UseSafeC");
        QCOMPARE(group(), (QStringList{"C serie E12:", "", "", ""}));
        QVERIFY(!use.isEnabled());
        // A combo is named after its caption, which labels it for a screen reader.
        auto& tolerance = *main.main.findChild<QComboBox*>("CToleranceCombo");
        QCOMPARE(tolerance.accessibleName(), QString("Tolleranza C"));
        QCOMPARE(main.main.findChild<QLabel*>("CToleranceCaption")->buddy(), &tolerance);
        main.setDesign("10", "5", "10", "100", "10");
        QVERIFY(main.click("Command1").isEmpty());
        const char* combos[] = {"SeriesCombo", "CToleranceCombo", "RToleranceCombo"};
        for (int k = 0; k < 3; ++k)
            main.main.findChild<QComboBox*>(combos[k])->setCurrentIndex(choice[k]);
        QCOMPARE(group(), shown);
        auto& worst = *main.main.findChild<QLabel*>("WorstRippleLabel");
        // A warning in red, dark enough to read on the light blue box.
        const QColor worstColour = worst.palette().color(QPalette::WindowText);
        if (red) {
            QVERIFY(worstColour.red() >= 128 && worstColour.green() == 0 && worstColour.blue() == 0);
            QVERIFY(ContrastRatio(worstColour.rgb(), kLightBlue) >= kReadableContrast);
        } else {
            QCOMPARE(worstColour, QColor(Qt::black));
        }
        QCOMPARE(Accessible(*main.main.findChild<QLabel*>("StandardCLabel"), QAccessible::Name),
                 shown[0] + " [nF]");

        QTest::mouseClick(&use, Qt::LeftButton);
        QCOMPARE(main.text("Text10"), QString(shown[3]).replace(',', '.').replace("E", "0E"));
        QCOMPARE(main.textColour("Text10"), kFieldBlue);
        QCOMPARE(main.main.focusWidget(), &main.field("Text10"));

        // A design field changed: the group waits for the next "Calcola C" that is accepted.
        main.field("Text2").setText("11");
        QCOMPARE(group(), (QStringList{shown[0], "", "", ""}));
        QVERIFY(!use.isEnabled());
        QCOMPARE(main.click("Command1").size(), 1);
        QCOMPARE(group(), (QStringList{shown[0], "", "", ""}));

        main.field("Text2").setText("10"); // Vom = E: any C meets the ripple
        QVERIFY(main.click("Command1").isEmpty());
        QCOMPARE(group(), (QStringList{shown[0], "", "", ""}));
        QVERIFY(!use.isEnabled());
    }

    void oddButReadableEntriesAreUsed() {
        MainWindow main;
        main.setDesign("1.2.3", "0.6", "10", "0.0001", "10");
        QVERIFY(main.click("Command1").isEmpty());
        QCOMPARE(main.text("Text7"), QString("1.200E+00"));
        QCOMPARE(main.text("Text8"), QString("5.000E+01"));
        QCOMPARE(main.caption("Label25"), QString("3.00E+07")); // ΔVo 1e-7 V: 0.3e9 / 10
    }

    void eachBadEntryGetsItsOneMessage_data() {
        QTest::addColumn<QStringList>("entries"); // E, Vom, f, DeltaVo, R
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, QStringList entries, const char* message) {
            QTest::newRow(name) << entries << QString::fromUtf8(message);
        };
        const QString suffix = " Puoi scrivere soltanto numeri razionali con il punto come "
                               "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
                               "1E-5 , 5E3";
        const QString unrepresentable =
            " Il numero è fuori dall'intervallo dei numeri rappresentabili.";
        row("all empty", {"", "", "", "", ""},
            "Hai dimenticato di scrivere la tensione di ingresso E");
        row("Vom empty", {"10", "", "10", "100", "10"},
            "Hai dimenticato di scrivere il valore della tensione desiderata in uscita Vom");
        row("f empty", {"10", "5", "", "100", "10"},
            "Hai dimenticato di scrivere il valore della frequenza del segnale in ingresso f in "
            "kHz");
        row("DeltaVo empty", {"10", "5", "10", "", "10"},
            "Hai dimenticato di scrivere il valore di DeltaVo in mV");
        row("R empty", {"10", "5", "10", "100", ""},
            "Hai dimenticato di scrivere il valore di R in kohm");
        QTest::newRow("E blank") << QStringList{" 10", "5", "10", "100", "10"}
                                 << "Errore di inserimento dati per la tensione di ingresso E." +
                                        suffix;
        QTest::newRow("Vom comma")
            << QStringList{"10", "1,5", "10", "100", "10"}
            << "Errore di inserimento dati per il valore della tensione desiderata in uscita Vom." +
                   suffix;
        QTest::newRow("f letter") << QStringList{"10", "5", "10k", "100", "10"}
                                  << "Errore di inserimento dati per il valore della frequenza del "
                                     "segnale in ingresso f in kHz." +
                                         suffix;
        QTest::newRow("DeltaVo hex")
            << QStringList{"10", "5", "10", "0x10", "10"}
            << "Errore di inserimento dati per il valore di DeltaVo in mV." + suffix;
        // All characters are tested before any value: the bad R wins over the zero E.
        QTest::newRow("E zero, R bad")
            << QStringList{"0", "5", "10", "100", "x"}
            << "Errore di inserimento dati per il valore di R in kohm." + suffix;
        row("E zero", {"0", "5", "10", "100", "10"},
            "La tensione in ingresso non può essere zero o negativa!");
        row("E reads as 0", {"e", "5", "10", "100", "10"},
            "La tensione in ingresso non può essere zero o negativa!");
        row("Vom above E", {"5", "5.01", "10", "100", "10"},
            "La tensione in uscita non può essere zero o negativa o maggiore di E!");
        row("Vom zero", {"5", "0", "10", "100", "10"},
            "La tensione in uscita non può essere zero o negativa o maggiore di E!");
        row("Vom negative", {"5", "-1", "10", "100", "10"},
            "La tensione in uscita non può essere zero o negativa o maggiore di E!");
        row("f reads as 0", {"10", "5", "e", "100", "10"},
            "La frequenza non può essere zero o negativa!");
        row("f negative", {"10", "5", "-5", "100", "10"},
            "La frequenza non può essere zero o negativa!");
        row("DeltaVo zero", {"10", "5", "10", "0", "10"},
            "DeltaVo non può essere zero o negativo!");
        row("R negative", {"10", "5", "10", "100", "-0"}, "R non può essere zero o negativa!");
        QTest::newRow("E beyond a real")
            << QStringList{"1e400", "5", "10", "100", "10"}
            << "Errore di inserimento dati per la tensione di ingresso E." + unrepresentable;
        QTest::newRow("E of 40000 digits")
            << QStringList{QString(40000, '1'), "5", "10", "100", "10"}
            << "Errore di inserimento dati per la tensione di ingresso E." + unrepresentable;
        QTest::newRow("f beyond a real once scaled")
            << QStringList{"10", "5", "1e306", "100", "10"}
            << "Errore di inserimento dati per il valore della frequenza del segnale in ingresso f "
               "in kHz." +
                   unrepresentable;
        QTest::newRow("R beyond a real, negative")
            << QStringList{"10", "5", "10", "100", "-1e400"}
            << "Errore di inserimento dati per il valore di R in kohm." + unrepresentable;
        const char* capacitanceFault = "Errore di calcolo: con questi dati il calcolo di C esce "
                                       "dall'intervallo dei numeri rappresentabili.";
        row("C overflows", {"1e300", "5e299", "1e-300", "1", "1"}, capacitanceFault);
        row("C divides by an underflowed 0", {"10", "5", "1e-200", "1e-100", "1e-200"},
            capacitanceFault);
        row("D too small to represent", {"1e302", "1e-320", "10", "100", "10"},
            "Errore di calcolo: con questi dati il calcolo di D esce dall'intervallo dei numeri "
            "rappresentabili.");
    }
    void eachBadEntryGetsItsOneMessage() {
        QFETCH(QStringList, entries);
        QFETCH(QString, message);
        MainWindow main;
        main.setDesign(qPrintable(entries[0]), qPrintable(entries[1]), qPrintable(entries[2]),
                       qPrintable(entries[3]), qPrintable(entries[4]));
        QCOMPARE(main.click("Command1"), QStringList{message});
        QVERIFY(main.caption("Label25").isEmpty());
        for (const char* name : kVerificationFields)
            QVERIFY(main.text(name).isEmpty());
        QCOMPARE(main.text("Text1"), entries[0]); // the typed text stays for correction
    }

    void messagesAreBareApplicationModalBoxes() {
        MainWindow main;
        MessageBoxAnswerer answerer;
        QTest::mouseClick(main.main.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(answerer.shown().size(), 1);
        const ShownMessage& shown = answerer.shown().first();
        QCOMPARE(shown.title, QString("Velmaro"));
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(shown.applicationModal);
    }

    void aFailingClickKeepsTheEarlierResults() {
        MainWindow main;
        main.setDesign("10", "5", "10", "100", "10");
        main.click("Command1");
        main.field("Text2").setText("5.01e1");
        QCOMPARE(main.click("Command1").size(), 1);
        QCOMPARE(main.caption("Label25"), QString("2.50E+02"));
        QCOMPARE(main.caption("ExactCLabel"), QString("2.50E+02"));
        QCOMPARE(main.text("Text10"), QString("2.500E+02"));
        QCOMPARE(main.textColour("Text10"), kFieldBlue);
    }

    // The whole walk by keyboard after "Dati Esempio" pressed with the space bar; Enter in each
    // field clicks its group's button: "Calcola C" designs C, "Grafici" finds E missing.
    void keyboardWalksTheWindowAndEnterClicksTheGroupsButton() {
        LocaleScope english(EnglishLocale());
        MainWindow main;
        QVERIFY(QTest::qWaitForWindowActive(&main.main));
        QCOMPARE(QApplication::focusWidget(), &main.field("Text1"));
        // The window's own, which stays when a message box leaves no window active offscreen.
        const auto focus = [&] { return main.main.focusWidget(); };
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QCOMPARE(focus()->objectName(), QString("Command3"));
        QTest::keyClick(focus(), Qt::Key_Space);
        enum Runs { Nothing, Design, Graph };
        // k is disabled for the first order, and skipped.
        const std::pair<const char*, Runs> walk[] = {
            {"Text1", Design},      {"Text2", Design},       {"Text3", Design},
            {"Text4", Design},      {"Text6", Design},       {"OrderCombo", {}},
            {"LoadField", Design},  {"Command1", {}},        {"ChooserButton", {}},
            {"SeriesCombo", {}},    {"CToleranceCombo", {}}, {"RToleranceCombo", {}},
            {"UseSafeC", {}},       {"Text7", Graph},        {"Text12", Graph},
            {"Text8", Graph},       {"Text9", Graph},        {"Text10", Graph},
            {"R2Field", Graph},     {"C2Field", Graph},      {"RLField", Graph},
            {"Text13", Graph},      {"Text14", Graph},       {"Text15", Graph},
            {"Command2", {}},       {"ResponseButton", {}},  {"Command3", {}}};
        const QStringList noE{"Hai dimenticato di scrivere la tensione di ingresso E"};
        for (const auto& [name, runs] : walk) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            QCOMPARE(focus()->objectName(), QString(name));
            if (runs == Nothing)
                continue;
            main.main.findChild<QLabel*>("Label25")->clear();
            main.field("Text7").clear();
            MessageBoxAnswerer answerer;
            QTest::keyClick(focus(), runs == Design ? Qt::Key_Return : Qt::Key_Enter);
            QCOMPARE(answerer.texts(), runs == Design ? QStringList() : noE);
            QCOMPARE(main.caption("Label25"), QString(runs == Design ? "2.50E+02" : ""));
        }
    }

    void controlsAreNamedAsTheWindowsShowThem_data() {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const auto row = [](bool graph, const char* control, const char* name) {
            QTest::newRow(control) << graph << QString(control) << QString::fromUtf8(name);
        };
        row(false, "Text4", "ΔVo [mV]");
        row(false, "Text8", "D [%]");
        row(false, "Text14", "NP Numero periodi visualizzati");
        row(false, "Label25", "C [nF]");
        row(false, "Command1", "Calcola C");
        row(true, "Label5", "Delta Vovera [mV]");
        row(true, "Label9", "Vomvera [V]");
        row(false, "StandardCLabel", "C serie E12: [nF]");
        row(false, "WorstRippleLabel", "Ripple peggiore [mV]");
        row(true, "CutoffLabel", "fc [Hz]");
        row(true, "SettlingLabel", "Assestamento ±1% [periodi]");
        row(true, "SteadyStateLabel", "Simulazione:");
        row(true, "Picture1", "Grafico delle forme d'onda");
    }
    void controlsAreNamedAsTheWindowsShowThem() {
        QFETCH(bool, graph);
        QFETCH(QString, control);
        QFETCH(QString, name);
        MainWindow main;
        QWidget& window = graph ? static_cast<QWidget&>(main.main.GraphWindow()) : main.main;
        QCOMPARE(Accessible(*window.findChild<QWidget*>(control), QAccessible::Name), name);
    }

    // The response and chooser windows go with the main window, whichever were open; the graph
    // window stays on show.
    void closingTheMainWindowClosesTheWindowsThatServeIt_data() {
        QTest::addColumn<QStringList>("pressed");
        QTest::newRow("all three") << QStringList{"Command2", "ResponseButton", "ChooserButton"};
        QTest::newRow("chooser") << QStringList{"ChooserButton"};
        QTest::newRow("response and graph") << QStringList{"ResponseButton", "Command2"};
    }
    void closingTheMainWindowClosesTheWindowsThatServeIt() {
        QFETCH(QStringList, pressed);
        MainWindow main;
        main.click("Command3");
        main.click("Command1");
        for (const QString& button : pressed)
            QCOMPARE(main.click(qPrintable(button)), QStringList());
        {
            MessageBoxAnswerer answerer(QMessageBox::Discard);
            main.main.close();
            QCOMPARE(answerer.texts(), QStringList{"Salvare le modifiche a Senza nome?"});
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && !window->objectName().isEmpty())
                shown << window->objectName();
        QCOMPARE(shown, pressed.contains("Command2") ? QStringList{"Form2"} : QStringList());
    }

    void thePlotDescribesItsTraces() {
        MainWindow main;
        const QString text = Accessible(main.main.GraphWindow().Plot(), QAccessible::Description);
        QVERIFY(text.contains("Vi(t)") && text.contains("iC(t)") && text.contains("Vo(t)"));
    }

    // The schematic draws the circuit the design describes, following "Ordine" and "RL" as they
    // change; the one RC it starts with is today's picture, pixel for pixel. Each circuit has a
    // picture of its own, drawn from its vector source at a pixel ratio of 2, not enlarged.
    void theSchematicFollowsTheCircuit() {
        const QByteArray oneStage = "1de54144dea7d63350caccc89f5bafcad14a30f2";
        const auto digest = [](const QImage& image) {
            const QImage bits = image.convertToFormat(QImage::Format_ARGB32);
            return QCryptographicHash::hash(
                       QByteArrayView(bits.constBits(), bits.sizeInBytes()),
                       QCryptographicHash::Sha1)
                .toHex();
        };
        struct Case {
            int order;
            const char* load;
            const char* description;
        };
        const Case cases[] = {
            {0, "", "Schema: filtro RC"},
            {0, "47", "Schema: filtro RC con carico RL"},
            {1, "47", "Schema: due stadi RC (R, C e R2, C2) con carico RL"},
            {1, "", "Schema: due stadi RC (R, C e R2, C2)"},
            {1, "0", "Schema: due stadi RC (R, C e R2, C2)"},
            {1, "x", "Schema: due stadi RC (R, C e R2, C2)"},
            {0, "1e-3", "Schema: filtro RC con carico RL"},
            {0, "", "Schema: filtro RC"},
        };
        MainWindow main;
        auto& picture = *main.main.findChild<QLabel*>("Picture1");
        auto& order = *main.main.findChild<QComboBox*>("OrderCombo");
        QMap<QString, QByteArray> drawn;
        for (const Case& c : cases) {
            const QString where = QString("order %1, RL \"%2\"").arg(c.order).arg(c.load);
            order.setCurrentIndex(c.order);
            main.field("LoadField").setText(c.load);
            QCOMPARE(picture.accessibleDescription(), QString(c.description));
            QCOMPARE(picture.pixmap().deviceIndependentSize(), QSizeF(320, 214));
            const QByteArray shown = digest(picture.pixmap().toImage());
            if (c.order == 0 && !*c.load)
                QVERIFY2(shown == oneStage, shown.constData());
            QVERIFY2(drawn.value(c.description, shown) == shown, qPrintable(where));
            QVERIFY2(drawn.key(shown, c.description) == c.description, qPrintable(where));
            drawn[c.description] = shown;
        }
        QCOMPARE(drawn.size(), 4);
        for (const SchematicCircuit circuit :
             {SchematicCircuit::OneStage, SchematicCircuit::TwoStagesLoaded}) {
            const QPixmap sharp = SchematicPicture(circuit, 2);
            QCOMPARE(sharp.size(), QSize(640, 428));
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(320, 214));
            QVERIFY(sharp.toImage() != SchematicPicture(circuit).toImage().scaled(640, 428));
        }
    }
};

VELMARO_TEST(Form1Test);
#include "form1_tests.moc"
