// SPDX-License-Identifier: GPL-3.0-or-later
// The filter beyond one RC through the main window: "Calcola C" designs a load and a second stage
// (the exact C for the ripple, the pair of parts), "Grafici" solves the circuit exactly, and each
// new field has its messages in the commands' order.

#include "app/number_text.h"
#include "engine/filter_design.h"
#include "graph_window/form2.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QComboBox>
#include <QTest>

#include <cmath>

namespace {

struct Session : MainWindowSession {
    void set(const QList<std::pair<const char*, QString>>& texts) {
        for (const auto& [name, text] : texts)
            field(name).setText(text);
    }
    void setOrder(int order) { main.findChild<QComboBox*>("OrderCombo")->setCurrentIndex(order - 1); }
    QString result(const char* label) {
        return main.GraphWindow().findChild<QLabel*>(label)->text();
    }
    // The number a label or field shows.
    double number(const QString& text) { return QString(text).replace(',', '.').toDouble(); }
};

const QString kAdvice = " Puoi scrivere soltanto numeri razionali con il punto come separatore "
                        "decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3";

} // namespace

class FilterCommandTest : public QObject {
    Q_OBJECT
private slots:
    // Each new field's messages, after the fields before it pass: "Calcola C" on the example
    // (order 2 when k is given), "Grafici" on the worked example.
    void newFieldsHaveTheirMessagesInOrder_data() {
        QTest::addColumn<bool>("design");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("load");
        QTest::addColumn<QString>("R2");
        QTest::addColumn<QString>("C2");
        QTest::addColumn<QString>("message");
        const auto design = [](const char* name, const char* k, const char* load, QString message) {
            QTest::newRow(name) << true << QString(k) << QString(load) << QString() << QString()
                                << message;
        };
        design("k empty", "", "", "Hai dimenticato di scrivere il rapporto k tra i due stadi");
        design("k a letter", "x", "1,5",
               "Errore di inserimento dati per il rapporto k tra i due stadi." + kAdvice);
        design("RL a letter", "10", "10k",
               "Errore di inserimento dati per la resistenza di carico RL in kohm." + kAdvice);
        design("k zero", "0", "-1", "Il rapporto k non può essere zero o negativo!");
        design("RL negative", "10", "-1",
               "La resistenza di carico RL non può essere zero o negativa!");
        design("RL too low for Vom", "10", "1",
               "Con il carico RL la tensione Vom non si raggiunge: servirebbe un duty cycle oltre "
               "il 100 %!");
        const auto graph = [](const char* name, const char* R2, const char* C2, const char* load,
                              QString message) {
            QTest::newRow(name) << false << QString() << QString(load) << QString(R2)
                                << QString(C2) << message;
        };
        graph("R2 a letter", "1 ", "10", "",
              "Errore di inserimento dati per la resistenza R2 in kohm." + kAdvice);
        graph("C2 a letter", "10", "C", "x",
              "Errore di inserimento dati per la capacità C2 in nF." + kAdvice);
        graph("RL a letter", "10", "", "x",
              "Errore di inserimento dati per la resistenza di carico RL in kohm." + kAdvice);
        graph("R2 alone", "10", "", "0", "Per il secondo stadio servono sia R2 sia C2!");
        graph("C2 zero", "-1", "0", "", "La capacità C2 non può essere zero o negativa!");
        graph("R2 negative", "-1", "100", "0", "La resistenza R2 non può essere zero o negativa!");
        graph("RL zero", "", "", "0", "La resistenza di carico RL non può essere zero o negativa!");
    }
    void newFieldsHaveTheirMessagesInOrder() {
        QFETCH(bool, design);
        QFETCH(QString, k);
        QFETCH(QString, load);
        QFETCH(QString, R2);
        QFETCH(QString, C2);
        QFETCH(QString, message);
        LocaleScope scope(ItalianLocale());
        Session s;
        if (design) {
            s.click("Command3");
            s.setOrder(2);
            s.set({{"StageRatioField", k}, {"LoadField", load}});
            QCOMPARE(s.click("Command1"), QStringList{message});
            QVERIFY(s.caption("Label25").isEmpty());
        } else {
            s.set({{"Text7", "10"}, {"Text8", "30"}, {"Text12", "1"}, {"Text9", "1"},
                   {"Text10", "1000"}, {"Text13", "10"}, {"R2Field", R2}, {"C2Field", C2},
                   {"RLField", load}});
            QCOMPARE(s.click("Command2"), QStringList{message});
        }
    }

    // "Calcola C" for a load, a second stage and both: the real circuit's exact C (its ripple is
    // the one asked for), the second stage and the load written to be verified, the parts to buy.
    void designsTheFilterExactly_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("load"); // kohm
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("one RC, a load") << 1 << "40" << EnglishLocale();
        QTest::newRow("two stages") << 2 << "" << ItalianLocale();
        QTest::newRow("two stages, a load") << 2 << "200" << EnglishLocale();
    }
    void designsTheFilterExactly() {
        QFETCH(int, order);
        QFETCH(QString, load);
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        Session s;
        s.click("Command3");
        s.setOrder(order);
        s.set({{"LoadField", load}});
        QVERIFY(s.click("Command1").isEmpty());

        const double k = order == 2 ? 10 : 0;
        const std::optional<double> RL = load.isEmpty() ? std::nullopt
                                                        : std::optional(load.toDouble() * 1000);
        const engine::FilterShape shape{1e4, order == 2 ? std::optional(k) : std::nullopt, RL};
        const double g = RL ? *RL / (1e4 + k * 1e4 + *RL) : 1;
        const double D = 5 / (10 * g);
        QCOMPARE(s.number(s.text("Text8")), std::round(D * 100 * 1e3) / 1e3);
        const double C = s.number(s.caption("ExactCLabel")) * 1e-9;
        QCOMPARE(s.caption("Label25"), s.caption("ExactCLabel"));
        // The ripple at the exact C is the one asked for, to the digits shown.
        const std::optional<double> ripple =
            engine::SteadyRippleOf(engine::CircuitOf(shape, C), 10, D, 1e4);
        QVERIFY(ripple && std::fabs(*ripple - 0.1) < 0.1 * 6e-3);
        QCOMPARE(s.text("R2Field"), order == 2 ? QString("1.000E+02") : QString());
        QCOMPARE(s.caption("ExactC2Label").isEmpty(), order == 1);
        QCOMPARE(s.text("RLField"), RL ? app::FormatWithPoint(*RL / 1000, app::NumberPattern::Scientific3)
                                       : QString());
        QCOMPARE(s.textColour("R2Field"), QColor(order == 2 ? Qt::blue : Qt::black));
        // The pair to buy, written to be verified: C and C2.
        QVERIFY(!s.caption("SafeCLabel").isEmpty());
        QCOMPARE(s.caption("SafeC2Label").isEmpty(), order == 1);
        QTest::mouseClick(s.main.findChild<QPushButton*>("UseSafeC"), Qt::LeftButton);
        QCOMPARE(s.number(s.text("Text10")), s.number(s.caption("SafeCLabel")));
        if (order == 2)
            QCOMPARE(s.number(s.text("C2Field")), s.number(s.caption("SafeC2Label")));

        // "Grafici" solves that circuit exactly; N·D whole, its samples agree with the real
        // circuit to three digits.
        s.set({{"Text8", "50"}, {"Text13", "1000"}, {"Text15", "20000"}});
        QVERIFY(s.click("Command2").isEmpty());
        QVERIFY2(s.result("SteadyStateLabel").startsWith("Soluzione esatta: a regime (1 %) dal "
                                                         "periodo "),
                 qPrintable(s.result("SteadyStateLabel")));
        QCOMPARE(s.result("Label5"), s.result("ExactRippleLabel"));
        QCOMPARE(s.result("Label9"), s.result("ExactMeanLabel"));
    }
};

VELMARO_TEST(FilterCommandTest);
#include "filter_command_tests.moc"
