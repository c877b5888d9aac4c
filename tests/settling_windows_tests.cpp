// SPDX-License-Identifier: GPL-3.0-or-later
// One settling on every window: the chooser's rows, the graph window after "Grafici" and the
// response window show the same figures for the same circuit and band, and the graph window's
// lines and resolution for the circuits beyond one RC.

#include "chooser_window/chooser_window.h"
#include "chooser_window/filter_choice.h"
#include "response_window/response_window.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>

using chooser_window::ChooserColumn;

namespace {

struct Session : MainWindowSession {
    void set(const QList<std::pair<const char*, QString>>& texts) {
        for (const auto& [name, text] : texts)
            field(name).setText(text);
    }
    QString graph(const char* label) {
        return main.GraphWindow().findChild<QLabel*>(label)->text();
    }
    QString response(const char* label) {
        return ShownWindow<response_window::ResponseWindow>()->findChild<QLabel*>(label)->text();
    }
    // "Risposta" with the response window's own fields as given.
    QStringList respond(const QString& fromDuty, const QString& bits) {
        QStringList messages = click("ResponseButton");
        auto* window = ShownWindow<response_window::ResponseWindow>();
        window->findChild<QLineEdit*>("FromDutyField")->setText(fromDuty);
        window->findChild<QLineEdit*>("BitsField")->setText(bits);
        return messages + click("ResponseButton");
    }
};

} // namespace

class SettlingWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // The example design at 10 bits, with and without a load: each of the chooser's rows (one RC,
    // then k = 1, 3, 10 and 30) taken into the verification by "Usa in verifica". ±1 % of the step
    // from discharged capacitors: the graph window after "Grafici" against the response window
    // from 0 % to D. ±½ LSB of a full-scale step: the chooser's row against the response window
    // from 0 % to the highest D its fields take below 100 %, and from 100 % down to the lowest.
    void everyWindowShowsTheSameSettling_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("load"); // kohm, empty: none
        QTest::newRow("no load") << EnglishLocale() << QString();
        QTest::newRow("no load, Italian") << ItalianLocale() << QString();
        QTest::newRow("load") << EnglishLocale() << QString("47");
        QTest::newRow("load, Italian") << ItalianLocale() << QString("47");
    }
    void everyWindowShowsTheSameSettling() {
        QFETCH(QLocale, locale);
        QFETCH(QString, load);
        LocaleScope scope(locale);
        Session s;
        s.set({{"Text1", "10"}, {"Text2", "1"}, {"Text3", "10"}, {"Text6", "10"}, {"LoadField", load}});
        QVERIFY(s.click("ChooserButton").isEmpty());
        auto* chooser = ShownWindow<chooser_window::ChooserWindow>();
        auto& table = *chooser->findChild<QTableWidget*>("ChooserTable");
        QCOMPARE(table.rowCount(), 5);
        for (int row = 0; row < table.rowCount(); ++row) {
            const QString where = QString("row %1").arg(row);
            table.selectRow(row);
            QTest::mouseClick(chooser->findChild<QPushButton*>("ChooserUseButton"),
                              Qt::LeftButton);
            s.set({{"Text7", "10"}, {"Text8", "50"}, {"Text12", "10"}, {"Text13", "100"}, {"Text14", "1"}, {"Text15", "2000"}});
            QCOMPARE(s.click("Command2"), QStringList());
            QVERIFY2(s.respond("0", "").isEmpty(), qPrintable(where));
            QCOMPARE(s.response("StepSettlingCaption"), QString("Assestamento ±1%"));
            QCOMPARE(s.response("StepSettlingPeriodsLabel"), s.graph("SettlingLabel"));
            QCOMPARE(s.response("StepSettlingLabel"), s.graph("SettlingTimeLabel"));
            // Beyond one RC the line names the first whole period within the band, from 1.
            const qint64 periods = s.graph("SettlingLabel").toLongLong();
            QVERIFY2(periods > 0, qPrintable(where));
            if (row > 0 || !load.isEmpty())
                QCOMPARE(s.graph("SteadyStateLabel"),
                         QString("Soluzione esatta: a regime (1 %) dal periodo %1 di 2000")
                             .arg(periods + 1));

            s.set({{"Text8", "99.9999999999"}});
            QVERIFY2(s.respond("0", "10").isEmpty(), qPrintable(where));
            QCOMPARE(s.response("StepSettlingCaption"), QString("Assestamento ±½ LSB"));
            QCOMPARE(s.response("StepSettlingLabel"),
                     table.item(row, int(ChooserColumn::Settling))->text());
            // The full-scale step down, from 100 % to the lowest D the fields take, settles alike.
            s.set({{"Text8", "0.0000000001"}});
            QVERIFY2(s.respond("100", "10").isEmpty(), qPrintable(where));
            QCOMPARE(s.response("StepSettlingLabel"),
                     table.item(row, int(ChooserColumn::Settling))->text());
        }
    }

    // The graph window for circuits beyond one RC and at the ends of the frequency range: the
    // first settled period counted from 1, a settling no NI can reach, and the resolution over
    // the full scale E·g, and the ripple against the band. Verification: E 10 V, D 30 %, R 1 kohm, C 1000 nF, N 10, NP 1, NI 2000.
    void theGraphWindowCountsSettledPeriodsItCanReach_data() {
        QTest::addColumn<QString>("f");  // kHz
        QTest::addColumn<QString>("R2"); // kohm, with C2 100 nF; empty: one stage
        QTest::addColumn<QString>("RL"); // kohm
        // Periods, time, steady-state line, resolution, the line on a ripple wider than the band.
        QTest::addColumn<QStringList>("expected");
        const QString wider = "L'ondulazione a regime, %1 picco-picco, è più larga della banda "
                              "di ±%2: l'uscita esce dalla banda a ogni periodo, solo la sua "
                              "media vi resta.";
        // The output settles within its first period: its second is the first settled one.
        QTest::newRow("two stages, f 1e-300 kHz")
            << "1e-300" << "10" << "" << QStringList{"1", "7.35E+00", "Soluzione esatta: a regime (1 %) dal periodo 2 di 2000", "0.00", wider.arg("10.0 V", "30.0 mV")};
        QTest::newRow("one RC, f 1e300 kHz")
            << "1e300" << "" << ""
            << QStringList{"4.61E+300", "4.61E+00",
                           "Non a regime dopo 2000 periodi: l'assestamento va oltre il massimo "
                           "di NI (2147483647 periodi)",
                           "998.83", ""};
        // τ = R'·C = 0.5 ms: 2.30 ms, 3 periods, the fourth the first within the band; the full
        // scale is 5 V, the ripple 1.966 V.
        QTest::newRow("one RC with a load")
            << "1" << "" << "1"
            << QStringList{"3", "2.30E+00", "Soluzione esatta: a regime (1 %) dal periodo 4 di 2000", "1.35", wider.arg("1.97 V", "15.0 mV")};
    }
    void theGraphWindowCountsSettledPeriodsItCanReach() {
        QFETCH(QString, f);
        QFETCH(QString, R2);
        QFETCH(QString, RL);
        QFETCH(QStringList, expected);
        Session s;
        s.set({{"Text7", "10"}, {"Text8", "30"}, {"Text12", f}, {"Text9", "1"}, {"Text10", "1000"},
               {"Text13", "10"}, {"Text14", "1"}, {"Text15", "2000"}, {"R2Field", R2},
               {"C2Field", R2.isEmpty() ? QString() : QString("100")}, {"RLField", RL}});
        QCOMPARE(s.click("Command2"), QStringList());
        QCOMPARE((QStringList{s.graph("SettlingLabel"), s.graph("SettlingTimeLabel"),
                              s.graph("SteadyStateLabel"), s.graph("ResolutionLabel"),
                              s.graph("RippleWiderThanBandLabel")}),
                 expected);
    }
};

VELMARO_TEST(SettlingWindowsTest);

#include "settling_windows_tests.moc"
