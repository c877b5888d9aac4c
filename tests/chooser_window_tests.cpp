// SPDX-License-Identifier: GPL-3.0-or-later
// The filter chooser: its rows against the closed form of one RC and an independent evaluation
// of two stages, the row it selects, "Usa in verifica", its refusals, the window's life, and the
// trade-off plot's curves and files.

#include "app/number_text.h"
#include "app/palette.h"
#include "app/text.h"
#include "chooser_window/chooser_layout.h"
#include "chooser_window/chooser_window.h"
#include "chooser_window/filter_choice.h"
#include "chooser_window/trade_off.h"
#include "engine/standard_series.h"
#include "graph_window/plot_area.h"
#include "main_window/design_files.h"
#include "response_window/response_fields.h"
#include "tests/filter_reference.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using namespace chooser_window;
using engine::Series;

namespace {

using Real = long double;

const ChooserDesign kExample{10, 1e4, 1e4, std::nullopt, Series::E12, {0.1, 0.01}};

// The series' values in order, each the double nearest its decimal number.
std::vector<double> SeriesValues(Series series, double around) {
    std::vector<double> values;
    const int decade = int(std::floor(std::log10(around)));
    for (int e = decade - 2; e <= decade + 2; ++e)
        for (const std::uint16_t m : engine::SeriesDecade(series))
            values.push_back(QString("%1e%2").arg(m).arg(e - 2).toDouble());
    return values;
}
double FirstAtLeast(Series series, double x) {
    for (const double v : SeriesValues(series, x))
        if (v >= x)
            return v;
    return NAN;
}
double LastBelow(Series series, double x) {
    double last = NAN;
    for (const double v : SeriesValues(series, x))
        if (v < x)
            last = v;
    return last;
}

// The settled ripple at D = 50 % from the state equations stepped in long double: the extremes
// of the settled period on a grid, each refined by a golden-section search.
Real Ripple(const engine::FilterCircuit& circuit, double e, double f) {
    using namespace filter_reference;
    const Linear l = Of(circuit);
    const State start = SettledStart(l, e, 0.5, f);
    const Real period = 1.0L / f;
    const auto at = [&](Real t) {
        return SettledOutput(l, start, e, 0.5, f, std::fmod(t + period, period));
    };
    constexpr int kGrid = 256;
    const auto extreme = [&](int sign) {
        int best = 0;
        for (int i = 1; i < kGrid; ++i)
            if (sign * at(period * i / kGrid) > sign * at(period * best / kGrid))
                best = i;
        Real a = period * (best - 1) / kGrid, b = period * (best + 1) / kGrid;
        const Real ratio = (std::sqrt(5.0L) - 1) / 2;
        for (int step = 0; step < 100; ++step) {
            const Real x1 = b - ratio * (b - a), x2 = a + ratio * (b - a);
            if (sign * at(x1) > sign * at(x2))
                b = x2;
            else
                a = x1;
        }
        return at((a + b) / 2);
    };
    return extreme(1) - extreme(-1);
}

// The largest ripple over R, R2 at ±tR and C, C2 at ±tC, RL exact.
Real WorstRipple(const engine::FilterCircuit& nominal, engine::PartTolerances t, double e,
                 double f) {
    Real worst = 0;
    for (const double r : {-1, 1})
        for (const double c : {-1, 1})
            for (const double r2 : {-1, 1})
                for (const double c2 : {-1, 1}) {
                    engine::FilterCircuit corner = nominal;
                    corner.R *= 1 + r * t.resistor;
                    corner.C *= 1 + c * t.capacitor;
                    corner.second->R2 *= 1 + r2 * t.resistor;
                    corner.second->C2 *= 1 + c2 * t.capacitor;
                    worst = std::max(worst, Ripple(corner, e, f));
                }
    return worst;
}

// From discharged capacitors at E: the time after which the output stays within ½ LSB of E·g,
// by bisection on the monotone step response.
Real Settling(const engine::FilterCircuit& circuit, int bits) {
    using namespace filter_reference;
    const Linear l = Of(circuit);
    const Real final = l.second ? l.x2 : l.x1;
    const auto outside = [&](Real t) {
        return final - Output(l, After(l, {}, 1, t)) > final * std::ldexp(1.0L, -(bits + 1));
    };
    Real lo = 0, hi = 1e-9L;
    while (outside(hi))
        lo = hi, hi *= 2;
    for (int step = 0; step < 100; ++step) {
        const Real middle = (lo + hi) / 2;
        (outside(middle) ? lo : hi) = middle;
    }
    return hi;
}

QString Sci(double value) { return app::FormatNumber(value, app::NumberPattern::Scientific2); }

bool Near(Real got, Real want, Real tolerance) {
    return std::fabs(got - want) <= tolerance * std::fabs(want);
}

// The main window with the example design, and the chooser it opens.
struct ChooserSession : MainWindowSession {
    ChooserSession() {
        field("Text1").setText("10");
        field("Text2").setText("5");
        field("Text3").setText("10");
        field("Text6").setText("10");
    }
    ChooserWindow* chooser() { return ShownWindow<ChooserWindow>(); }
    QTableWidget& table() { return *chooser()->findChild<QTableWidget*>("ChooserTable"); }
    QStringList cells() {
        QStringList texts;
        for (int row = 0; row < table().rowCount(); ++row)
            for (int column = 0; column < table().columnCount(); ++column)
                texts << table().item(row, column)->text();
        return texts;
    }
};

} // namespace

class ChooserWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theFirstOrderRowIsTheClosedForm_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<double>("rl"); // 0: no load
        QTest::addColumn<int>("series");
        QTest::addColumn<double>("tC");
        QTest::addColumn<double>("tR");
        QTest::newRow("10 bits, E12") << 10 << 0.0 << int(Series::E12) << 0.1 << 0.01;
        QTest::newRow("1 bit, E6, exact parts") << 1 << 0.0 << int(Series::E6) << 0.0 << 0.0;
        QTest::newRow("16 bits, E96, load") << 16 << 2.2e4 << int(Series::E96) << 0.2 << 0.05;
        QTest::newRow("24 bits, E24, light load") << 24 << 1e7 << int(Series::E24) << 0.05 << 0.01;
    }
    void theFirstOrderRowIsTheClosedForm() {
        QFETCH(int, bits);
        QFETCH(double, rl);
        QFETCH(int, series);
        QFETCH(double, tC);
        QFETCH(double, tR);
        const std::optional<double> load = rl > 0 ? std::optional(rl) : std::nullopt;
        const ChooserDesign design{5, 2e4, 4.7e3, load, Series(series), {tC, tR}};
        const FilterChoice choice = ChooseFilter(design, {bits, std::nullopt});
        // Thevenin: E·g behind R∥RL; at D = 50 % the ripple is E·g·tanh(T/(4·R'·C)), largest at
        // both low corners.
        const auto gain = [&](Real r) { return load ? *load / (r + *load) : 1.0L; };
        const auto thevenin = [&](Real r) { return load ? r * *load / (r + *load) : r; };
        const Real rLow = design.r * (1 - tR);
        const Real lsb = design.e * gain(design.r) / std::ldexp(1.0L, bits);
        const Real cLow =
            1 / (4 * design.f * thevenin(rLow) * std::atanh(lsb / (design.e * gain(rLow))));
        const double c = FirstAtLeast(Series(series), double(cLow / (1 - tC)));
        const Real ripple =
            design.e * gain(rLow) * std::tanh(1 / (4 * design.f * thevenin(rLow) * c * (1 - tC)));
        const Real settling = thevenin(design.r) * c * std::log(std::ldexp(1.0L, bits + 1));

        const engine::FilterCandidate& first = choice.candidates.at(0);
        QCOMPARE(*first.c, c);
        QVERIFY2(Near(*first.worstRipple, ripple, 1e-9), qPrintable(Sci(*first.worstRipple)));
        QVERIFY(Near(*first.settlingSeconds, settling, 1e-9));
        const ChooserRow& row = choice.rows.at(0);
        QCOMPARE(QStringList(std::begin(row.cells), std::end(row.cells)),
                 (QStringList{"1 (RC)", "", "", Sci(c * 1e9), Sci(*first.worstRipple * 1e3),
                              Sci(*first.settlingSeconds * 1e3), "ok"}));
    }

    void aSecondOrderRowMatchesAnIndependentEvaluation_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("index"); // in kStageRatios
        QTest::addColumn<double>("rl");
        QTest::addColumn<int>("series");
        QTest::newRow("10 bits, k 10, E12") << 10 << 2 << 0.0 << int(Series::E12);
        QTest::newRow("12 bits, k 3, load, E24") << 12 << 1 << 5e4 << int(Series::E24);
        QTest::newRow("6 bits, k 1, E6") << 6 << 0 << 0.0 << int(Series::E6);
        QTest::newRow("16 bits, k 30, heavy load, E96") << 16 << 3 << 1e5 << int(Series::E96);
    }
    void aSecondOrderRowMatchesAnIndependentEvaluation() {
        QFETCH(int, bits);
        QFETCH(int, index);
        QFETCH(double, rl);
        QFETCH(int, series);
        const std::optional<double> load = rl > 0 ? std::optional(rl) : std::nullopt;
        const double k = engine::kStageRatios[std::size_t(index)];
        const ChooserDesign design{5, 1e4, 1e4, load, Series(series), {0.1, 0.05}};
        const FilterChoice choice = ChooseFilter(design, {bits, std::nullopt});
        const engine::FilterCandidate& candidate = choice.candidates.at(std::size_t(index) + 1);
        const double lsb = design.e * (load ? *load / (design.r * (1 + k) + *load) : 1.0) /
                           std::ldexp(1.0, bits);
        const auto circuit = [&](double c) {
            const double c2 = FirstAtLeast(Series(series), c / k);
            return filter_reference::Second(design.r, c, k * design.r, c2, load);
        };
        // The pair meets 1 LSB at its worst corner, and the series value below it does not.
        const double c = *candidate.c;
        QCOMPARE(c, FirstAtLeast(Series(series), c));
        QCOMPARE(*candidate.c2, circuit(c).second->C2);
        const Real worst = WorstRipple(circuit(c), design.tolerances, design.e, design.f);
        QVERIFY2(Near(*candidate.worstRipple, worst, 1e-6),
                 qPrintable(QString("%1 %2").arg(*candidate.worstRipple).arg(double(worst))));
        QVERIFY(worst <= lsb * (1 + 1e-9));
        QVERIFY(WorstRipple(circuit(LastBelow(Series(series), c)), design.tolerances, design.e,
                            design.f) > lsb);
        QVERIFY(Near(*candidate.settlingSeconds, Settling(circuit(c), bits), 1e-9));

        const ChooserRow& row = choice.rows.at(std::size_t(index) + 1);
        QCOMPARE(QStringList(std::begin(row.cells), std::end(row.cells)),
                 (QStringList{QString("2 (RC-RC), k = %1").arg(k), Sci(k * design.r * 1e-3),
                              Sci(*candidate.c2 * 1e9), Sci(c * 1e9),
                              Sci(*candidate.worstRipple * 1e3),
                              Sci(*candidate.settlingSeconds * 1e3), "ok"}));
    }

    // The fastest row is selected when it meets the limit (the limit itself included), none
    // otherwise; each row says whether it meets it.
    void theFastestRowWithinTheLimitIsSelected_data() {
        QTest::addColumn<double>("limitShare"); // of the fastest settling; 0: no limit
        QTest::addColumn<bool>("selected");
        QTest::newRow("no limit") << 0.0 << true;
        QTest::newRow("the fastest exactly") << 1.0 << true;
        QTest::newRow("a limit the slowest miss") << 20.0 << true;
        QTest::newRow("just short of the fastest") << 1 - 1e-12 << false;
    }
    void theFastestRowWithinTheLimitIsSelected() {
        QFETCH(double, limitShare);
        QFETCH(bool, selected);
        const FilterChoice free = ChooseFilter(kExample, {10, std::nullopt});
        std::size_t fastest = 0;
        for (std::size_t i = 0; i < free.candidates.size(); ++i)
            if (*free.candidates[i].settlingSeconds < *free.candidates[fastest].settlingSeconds)
                fastest = i;
        const std::optional<double> limit =
            limitShare > 0 ? std::optional(*free.candidates[fastest].settlingSeconds * limitShare)
                           : std::nullopt;
        const FilterChoice choice = ChooseFilter(kExample, {10, limit});
        QCOMPARE(choice.best, selected ? std::optional(fastest) : std::nullopt);
        for (std::size_t i = 0; i < choice.rows.size(); ++i) {
            const bool meets = !limit || *choice.candidates[i].settlingSeconds <= *limit;
            QCOMPARE(choice.rows[i][ChooserColumn::Verdict], meets ? "ok" : "troppo lento");
        }
        QCOMPARE(StatusText(choice),
                 selected ? "" : "Nessun filtro si assesta entro l'assestamento massimo.");

        // The window's table selects its choice's row, and "Usa in verifica" follows it.
        ChooserWindow window([](const ChosenFilter&) {});
        if (limit)
            window.findChild<QLineEdit*>("ChooserTimeField")
                ->setText(QString::number(*limit * 1e3, 'g', 17));
        QVERIFY(window.ChooseFor(kExample));
        const std::optional<std::size_t> best = window.Choice()->best;
        const QList<QTableWidgetSelectionRange> ranges =
            window.findChild<QTableWidget*>("ChooserTable")->selectedRanges();
        QCOMPARE(ranges.isEmpty() ? -1 : ranges.first().topRow(), best ? int(*best) : -1);
        QCOMPARE(window.findChild<QPushButton*>("ChooserUseButton")->isEnabled(), bool(best));
    }

    // The row selected goes into the verification fields in the field format and in blue, with
    // the design's E and f and the D that reaches Vom through that row's divider.
    void usaInVerificaWritesTheRowSelected_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("load");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("written"); // E, f, D, R, C, R2, C2, RL
        QTest::newRow("one RC, English") << EnglishLocale() << "" << 0
            << QStringList{"1.000E+01", "1.000E+01", "5.000E+01", "1.000E+01", "3.300E+03", "",
                           "", ""};
        QTest::newRow("k 10, Italian") << ItalianLocale() << "" << 3
            << QStringList{"1.000E+01", "1.000E+01", "5.000E+01", "1.000E+01", "6.800E+01",
                           "1.000E+02", "6.800E+00", ""};
        // g = 47/(10 + 30 + 47): D = 5·87/(10·47).
        QTest::newRow("k 3 with a load, Italian") << ItalianLocale() << "47" << 2
            << QStringList{"1.000E+01", "1.000E+01", "9.255E+01", "1.000E+01", "8.200E+01",
                           "3.000E+01", "3.300E+01", "4.700E+01"};
    }
    void usaInVerificaWritesTheRowSelected() {
        QFETCH(QLocale, locale);
        QFETCH(QString, load);
        QFETCH(int, row);
        QFETCH(QStringList, written);
        LocaleScope scope(locale);
        ChooserSession s;
        s.field("LoadField").setText(load);
        const QStringList fields{"Text7",   "Text12",  "Text8",   "Text9",
                                 "Text10", "R2Field", "C2Field", "RLField"};
        for (const QString& name : fields)
            s.field(name).setText("1");
        QVERIFY(s.click("ChooserButton").isEmpty());
        QVERIFY(s.chooser());
        s.table().selectRow(row);
        QTest::mouseClick(s.chooser()->findChild<QPushButton*>("ChooserUseButton"), Qt::LeftButton);
        for (int i = 0; i < fields.size(); ++i) {
            QCOMPARE(s.text(fields[i]), written[i]);
            if (!written[i].isEmpty())
                QCOMPARE(s.textColour(fields[i]), QColor(0, 0, 255));
        }
    }

    // Under a load each row has its own divider g. A row whose full scale E·g is below Vom says
    // so and is never selected nor used; the row selected, used in verification, makes "Grafici"
    // reach Vom within the ripple.
    void theChosenFilterReachesVomUnderALoad_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("design"); // E, Vom, f, ΔVo, R, order, RL
        QTest::addColumn<QList<int>>("unreachable");
        const auto row = [](const char* name, const QStringList& design, QList<int> unreachable) {
            for (const auto& [language, locale] :
                 {std::pair{"English", EnglishLocale()}, std::pair{"Italian", ItalianLocale()}})
                QTest::newRow(qPrintable(QString("%1, %2").arg(name, language)))
                    << locale << design << unreachable;
        };
        row("the example, order 2, RL 1000", {"10", "5", "10", "100", "10", "2", "1000"}, {});
        // E·g = 2.5·33.3/85 = 0.98 V at k = 10, 0.47 V at k = 30.
        row("E 2.5, Vom 1.25, RL 33.3", {"2.5", "1.25", "12.5", "10", "4.7", "1", "33.3"}, {3, 4});
        // E·g = 10·100/110 = 9.09 V already for one RC.
        row("none reaches Vom", {"10", "9.5", "10", "100", "10", "1", "100"}, {0, 1, 2, 3, 4});
    }
    void theChosenFilterReachesVomUnderALoad() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, design);
        QFETCH(QList<int>, unreachable);
        LocaleScope scope(locale);
        ChooserSession s;
        const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text6"};
        for (int i = 0; i < 5; ++i)
            s.field(names[i]).setText(design[i]);
        s.main.findChild<QComboBox*>("OrderCombo")->setCurrentIndex(design[5] == "2" ? 1 : 0);
        s.field("LoadField").setText(design[6]);
        // "Calcola C" itself refuses a Vom beyond one RC's full scale.
        QCOMPARE(s.click("Command1").isEmpty(), unreachable.size() < 5);
        QCOMPARE(s.click("ChooserButton"), QStringList());

        QPushButton& use = *s.chooser()->findChild<QPushButton*>("ChooserUseButton");
        const std::optional<std::size_t> best = s.chooser()->Choice()->best;
        QCOMPARE(s.chooser()->findChild<QLabel*>("ChooserStatusLabel")->text(),
                 QString(best ? "" : "Con il carico RL nessun filtro raggiunge Vom."));
        QCOMPARE(bool(best), unreachable.size() < 5);
        for (int row = 0; row < s.table().rowCount(); ++row) {
            const QTableWidgetItem& verdict = *s.table().item(row, int(ChooserColumn::Verdict));
            QCOMPARE(verdict.text() == "Vom non raggiungibile", unreachable.contains(row));
            if (unreachable.contains(row)) {
                // Red, dark enough to read on the white table.
                const QColor warning = verdict.foreground().color();
                QVERIFY(warning.red() >= 128 && warning.green() == 0 && warning.blue() == 0);
                QVERIFY(app::ContrastRatio(warning.rgb(), app::kWhite) >= app::kReadableContrast);
                s.table().selectRow(row);
                QVERIFY(!use.isEnabled());
            }
        }
        if (!best)
            return;
        s.table().selectRow(int(*best));
        QTest::mouseClick(&use, Qt::LeftButton);
        QCOMPARE(s.click("Command2"), QStringList());
        const engine::PeriodStatistics& run =
            s.main.GraphWindow().PlotSurface().Drawn()->run->statistics;
        QVERIFY2(std::fabs(run.VomVera - design[1].toDouble()) <= run.DeltaVoVera * 1e-3,
                 qPrintable(QString("Vom %1 V, ripple %2 mV").arg(run.VomVera).arg(run.DeltaVoVera)));
    }

    // "Calcola" takes the main window's design as it is now: a design opened while the chooser
    // is open is the one it chooses for and writes back (a refused one: the refusals above).
    void calcolaTakesTheDesignAgain_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << EnglishLocale();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void calcolaTakesTheDesignAgain() {
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        QTemporaryDir folder;
        const QString path = folder.filePath("carico.velmaro");
        ChooserSession s;
        s.main.Files().SetAskForFile([&path](main_window::FileQuestion, const QString&) {
            return path;
        });
        s.field("LoadField").setText("1000");
        QVERIFY(s.main.Files().SaveAs());
        s.field("LoadField").clear();
        QCOMPARE(s.click("ChooserButton"), QStringList());
        QLabel& designLine = *s.chooser()->findChild<QLabel*>("ChooserDesignLabel");
        QVERIFY(designLine.text().contains("senza carico"));

        QVERIFY(s.main.Files().Open(path));
        QCOMPARE(ClickAndAnswer(*s.chooser(), "ChooserComputeButton"), QStringList());
        QCOMPARE(designLine.text(),
                 QString("Progetto: E = 10 V, Vom = 5 V, f = 10 kHz, R = 10 kohm, RL = 1000 "
                         "kohm; serie E12, tolleranza C ±10 %, tolleranza R ±1 %"));
        s.table().selectRow(0);
        QTest::mouseClick(s.chooser()->findChild<QPushButton*>("ChooserUseButton"), Qt::LeftButton);
        QCOMPARE(s.text("RLField"), QString("1.000E+03"));
    }

    // One message, in the order of the checks: every field's characters, then the values, the
    // main window's before the chooser's own; the table keeps what it showed.
    void refusalsShowOneMessageAndKeepTheTable_data() {
        QTest::addColumn<QStringList>("edits"); // field=text
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString alphabet = " Puoi scrivere soltanto numeri razionali con il punto come "
                                 "separatore decimale, anche in forma esponenziale. Ad es: 1.23 "
                                 ", 1E-5 , 5E3";
        const QString bits =
            "La risoluzione del DAC deve essere un numero intero di bit da 1 a 24!";
        const QString time = "L'assestamento massimo non può essere zero o negativo!";
        const auto row = [](const char* name, QStringList edits, const char* button,
                            const QString& message) {
            QTest::newRow(name) << edits << QString(button) << message;
        };
        row("E empty", {"Text1="}, "ChooserButton",
            "Hai dimenticato di scrivere la tensione di ingresso E");
        row("characters before values", {"Text1=0", "LoadField=1k"}, "ChooserButton",
            "Errore di inserimento dati per la resistenza di carico RL in kohm." + alphabet);
        row("E zero", {"Text1=0", "Text3=-1"}, "ChooserButton",
            "La tensione in ingresso non può essere zero o negativa!");
        row("f negative", {"Text3=-1", "Text6=0"}, "ChooserButton",
            "La frequenza non può essere zero o negativa!");
        row("R zero", {"Text6=0"}, "ChooserButton", "R non può essere zero o negativa!");
        row("RL zero", {"LoadField=0"}, "ChooserButton",
            "La resistenza di carico RL non può essere zero o negativa!");
        row("E beyond a double", {"Text1=1e400"}, "ChooserButton",
            "Errore di inserimento dati per la tensione di ingresso E. Il numero è fuori "
            "dall'intervallo dei numeri rappresentabili.");
        row("main window first", {"Text6=0", "ChooserBitsField=0"}, "ChooserButton",
            "R non può essere zero o negativa!");
        row("Calcola, main window first", {"Text6=0", "ChooserBitsField=0"},
            "ChooserComputeButton", "R non può essere zero o negativa!");
        row("Calcola, Vom empty", {"Text2="}, "ChooserComputeButton",
            "Hai dimenticato di scrivere il valore della tensione desiderata in uscita Vom");
        row("bits empty", {"ChooserBitsField="}, "ChooserComputeButton",
            "Hai dimenticato di scrivere la risoluzione del DAC in bit");
        row("bits zero", {"ChooserBitsField=0"}, "ChooserButton", bits);
        row("bits 25", {"ChooserBitsField=25"}, "ChooserComputeButton", bits);
        row("bits not whole", {"ChooserBitsField=10.5"}, "ChooserComputeButton", bits);
        row("bits beyond a double", {"ChooserBitsField=-1e999"}, "ChooserComputeButton", bits);
        row("time characters first", {"ChooserBitsField=0", "ChooserTimeField=5 ms"},
            "ChooserComputeButton",
            "Errore di inserimento dati per l'assestamento massimo in ms." + alphabet);
        row("time zero", {"ChooserTimeField=0"}, "ChooserComputeButton", time);
        row("time negative", {"ChooserTimeField=-3"}, "ChooserButton", time);
    }
    void refusalsShowOneMessageAndKeepTheTable() {
        QFETCH(QStringList, edits);
        QFETCH(QString, button);
        QFETCH(QString, message);
        ChooserSession s;
        QVERIFY(s.click("ChooserButton").isEmpty());
        ChooserWindow* window = s.chooser();
        const QStringList before = s.cells();
        for (const QString& edit : edits) {
            const QString name = edit.section('=', 0, 0), text = edit.section('=', 1);
            QLineEdit* field = s.main.findChild<QLineEdit*>(name);
            (field ? *field : *window->findChild<QLineEdit*>(name)).setText(text);
        }
        const QStringList shown = button == "ChooserButton"
                                      ? s.click("ChooserButton")
                                      : ClickAndAnswer(*window, "ChooserComputeButton");
        QCOMPARE(shown, QStringList{message});
        QCOMPARE(s.cells(), before);
        QCOMPARE(window->Choice()->design.r, 1e4);
    }

    // The converter's resolution is refused here as in the response window, in either locale:
    // one message for every number that is not a whole 1 to 24, also one beyond a 64-bit real.
    void bitsAreRefusedAsInTheResponseWindow_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("bits");
        for (const auto& [language, locale] :
             {std::pair{"English", EnglishLocale()}, std::pair{"Italian", ItalianLocale()}})
            for (const char* bits : {"1e400", "-1e999", "25", "0.5"})
                QTest::newRow(qPrintable(QString("%1, %2").arg(language, bits)))
                    << locale << QString(bits);
    }
    void bitsAreRefusedAsInTheResponseWindow() {
        QFETCH(QLocale, locale);
        QFETCH(QString, bits);
        LocaleScope scope(locale);
        ChooserSession s;
        QVERIFY(s.click("ChooserButton").isEmpty());
        s.chooser()->findChild<QLineEdit*>("ChooserBitsField")->setText(bits);
        const QString message =
            "La risoluzione del DAC deve essere un numero intero di bit da 1 a 24!";
        QCOMPARE(ClickAndAnswer(*s.chooser(), "ChooserComputeButton"), QStringList{message});
        QCOMPARE(std::get<QString>(response_window::ReadStepFields("0", bits)), message);
    }

    // Made on the first press, without an owner; a second press takes the design again into
    // the same window; closing it destroys it, and the next press makes a new one.
    void theWindowIsMadeOnceAndChoosesAgainInPlace_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("resistance");
        QTest::newRow("English") << EnglishLocale() << "4.7";
        QTest::newRow("Italian") << ItalianLocale() << "4,7";
    }
    void theWindowIsMadeOnceAndChoosesAgainInPlace() {
        QFETCH(QLocale, locale);
        QFETCH(QString, resistance);
        LocaleScope scope(locale);
        ChooserSession s;
        s.click("ChooserButton");
        QPointer<ChooserWindow> first = s.chooser();
        QVERIFY(first && !first->parent() && !first->isModal());
        QCOMPARE(first->windowTitle(), QString("Velmaro - Scelta del filtro"));
        QCOMPARE(first->findChild<QLineEdit*>("ChooserBitsField")->text(), QString("10"));
        QVERIFY(first->findChild<QLineEdit*>("ChooserTimeField")->text().isEmpty());
        QStringList headings;
        for (int column = 0; column < s.table().columnCount(); ++column)
            headings << s.table().horizontalHeaderItem(column)->text();
        QCOMPARE(headings, (QStringList{"Filtro", "R2 [kohm]", "C2 [nF]", "C [nF]",
                                        "Ripple peggiore [mV]", "Assestamento ±½ LSB [ms]", "Esito"}));
        QCOMPARE(s.cells().mid(0, 7),
                 (QStringList{"1 (RC)", "", "", "3.30E+03", "8.50E+00", "2.52E+02", "ok"})
                     .replaceInStrings(".", locale.decimalPoint()));

        // Nothing clipped: the captions in their rectangles, the table's columns in its width.
        for (const app::ControlRow& row : kChooserRows) {
            auto* control = first->findChild<QWidget*>(row.name);
            const int border = row.kind == app::ControlKind::PushButton ? 8 : 0;
            QVERIFY2(control->fontMetrics().horizontalAdvance(app::Text::tr(row.text)) + border <=
                         control->width(),
                     row.name);
        }
        int width = 0;
        for (int column = 0; column < s.table().columnCount(); ++column) {
            const QHeaderView& header = *s.table().horizontalHeader();
            QVERIFY(header.fontMetrics().horizontalAdvance(
                        s.table().horizontalHeaderItem(column)->text()) + 6 <=
                    s.table().columnWidth(column));
            for (int row = 0; row < s.table().rowCount(); ++row)
                QVERIFY(s.table().fontMetrics().horizontalAdvance(
                            s.table().item(row, column)->text()) + 6 <=
                        s.table().columnWidth(column));
            width += s.table().columnWidth(column);
        }
        QVERIFY(width <= s.table().viewport()->width());

        s.field("Text6").setText("4.7");
        s.field("LoadField").setText("1000");
        s.click("ChooserButton");
        QCOMPARE(s.chooser(), first.data());
        QCOMPARE(first->findChild<QLabel*>("ChooserDesignLabel")->text(),
                 QString("Progetto: E = 10 V, Vom = 5 V, f = 10 kHz, R = %1 kohm, RL = 1000 kohm; "
                         "serie E12, tolleranza C ±10 %, tolleranza R ±1 %")
                     .arg(resistance));
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        s.click("ChooserButton");
        QVERIFY(s.chooser());
    }

    // Each curve sweeps four decades of C through the part chosen, its ripple falling as its
    // settling grows; the CSV holds every point, read back to the same numbers.
    void theCurvesRunThroughTheChosenPartsAndSave_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English") << EnglishLocale() << ",";
        QTest::newRow("Italian") << ItalianLocale() << ";";
    }
    void theCurvesRunThroughTheChosenPartsAndSave() {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        LocaleScope scope(locale);
        ChooserWindow window([](const ChosenFilter&) {});
        window.findChild<QLineEdit*>("ChooserTimeField")->setText("10");
        QVERIFY(window.ChooseFor({10, 1e4, 1e4, 2e5, Series::E24, {0.05, 0.01}}));
        const TradeOffData& data = window.Plot().Data();
        QCOMPARE(data.curves.size(), std::size_t(5));
        QCOMPARE(data.maxSettlingSeconds, std::optional(0.01));
        for (const TradeOffCurve& curve : data.curves) {
            QCOMPARE(curve.points.size(), std::size_t(kSweepDecades * kPointsPerDecade + 1));
            const CurvePoint& middle = curve.points[curve.points.size() / 2];
            QCOMPARE(middle.c, curve.chosen->c);
            QVERIFY(Near(curve.points.back().c / curve.points.front().c, 1e4, 1e-12));
            for (std::size_t i = 1; i < curve.points.size(); ++i)
                QVERIFY(curve.points[i].worstRipple <= curve.points[i - 1].worstRipple &&
                        curve.points[i].settlingSeconds > curve.points[i - 1].settlingSeconds);
        }
        // One RC: C2 plays no part, so the chosen part lies on its curve.
        QCOMPARE(data.curves[0].points[50].worstRipple, data.curves[0].chosen->worstRipple);

        QTemporaryDir folder;
        plot::SaveAnswer answer;
        window.Plot().SetSaveFileChooser(
            [&](QWidget&, const plot::SaveQuestion&) { return answer; });
        const auto action = [&](const QString& text) {
            for (QAction* found : window.Plot().Menu().actions())
                if (found->text() == text)
                    return found;
            return static_cast<QAction*>(nullptr);
        };
        answer = {folder.filePath("curve"), plot::kCsvFilter};
        action("Salva dati…")->trigger();
        QFile csv(folder.filePath("curve.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.first(), QStringList({"Filtro", "C [nF]", "C2 [nF]", "Ripple peggiore [mV]",
                                             "Assestamento ±½ LSB [ms]"})
                                    .join(separator));
        QCOMPARE(lines.size(), 1 + 5 * int(data.curves[0].points.size()));
        const auto number = [&](const QString& text) {
            return QString(text).replace(locale.decimalPoint(), ".").toDouble();
        };
        for (const auto& [line, curve, point] :
             {std::tuple{1, 0, 0}, std::tuple{int(lines.size()) - 1, 4, 100}}) {
            // The name in quotes, which may hold the separator, then the numbers.
            const qsizetype quote = lines[line].indexOf('"', 1);
            const QStringList fields = QStringList{lines[line].left(quote + 1)} +
                                       lines[line].mid(quote + 2).split(separator);
            const CurvePoint& want = data.curves[std::size_t(curve)].points[std::size_t(point)];
            QCOMPARE(fields[0], '"' + data.curves[std::size_t(curve)].name + '"');
            QCOMPARE(number(fields[1]), want.c * 1e9);
            QCOMPARE(fields[2].isEmpty(), !want.c2);
            QCOMPARE(number(fields[3]), want.worstRipple * 1e3);
            QCOMPARE(number(fields[4]), want.settlingSeconds * 1e3);
        }

        answer = {folder.filePath("curve.svg"), plot::kPngFilter};
        action("Salva grafico…")->trigger();
        QFile svg(folder.filePath("curve.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains("<svg"));
        answer = {folder.filePath("curve"), plot::kPngFilter};
        action("Salva grafico…")->trigger();
        QCOMPARE(QImage(folder.filePath("curve.png")).convertToFormat(QImage::Format_RGB32),
                 window.Plot().Picture());
        answer = {folder.filePath("missing/curve.csv"), plot::kCsvFilter};
        MessageBoxAnswerer answerer;
        action("Salva dati…")->trigger();
        QCOMPARE(answerer.texts().size(), 1);
        QVERIFY(answerer.texts().first().startsWith("Impossibile salvare il file "));
    }
};

VELMARO_TEST(ChooserWindowTest);

#include "chooser_window_tests.moc"
