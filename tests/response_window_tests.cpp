// SPDX-License-Identifier: GPL-3.0-or-later
// The real response window, driven from "Risposta" in both locales: the figures it shows for the
// verified circuit and their agreement with the graph window, a new press and Enter in its own
// fields, the refusals, measuring on both plots, and the pictures and data saved from them.

#include "app/number_text.h"
#include "app/text.h"
#include "plot/files.h"
#include "response_window/bode_chart.h"
#include "plot/chart_plot.h"
#include "response_window/response_window.h"
#include "response_window/step_chart.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <bit>
#include <charconv>
#include <cmath>

using namespace response_window;
using namespace plot;

namespace {

// One RC of τ = 1 ms at 1 kHz, E 10 V, D 30 %: fc = 159.15 Hz.
struct Session : MainWindowSession {
    Session() { setVerification({"10", "30", "1", "1", "1000"}); }
    QStringList Respond() {
        const QStringList shown = click("ResponseButton");
        if (ResponseWindow* window = Window()) {
            // Beside the main window, active, so that the pointer and the keys reach it.
            window->move(main.frameGeometry().right() + 10, 0);
            (void)QTest::qWaitForWindowExposed(window);
            window->activateWindow();
            (void)QTest::qWaitForWindowActive(window);
        }
        return shown;
    }
    ResponseWindow* Window() const { return ShownWindow<ResponseWindow>(); }
    QString Shown(const char* label) const { return Window()->findChild<QLabel*>(label)->text(); }
    QLineEdit& Own(const char* name) const { return *Window()->findChild<QLineEdit*>(name); }
    // Types into one of the window's fields and presses Enter; the messages shown.
    QStringList Enter(const char* name, const QString& text) {
        MessageBoxAnswerer answerer;
        Own(name).setText(text);
        QTest::keyClick(&Own(name), Qt::Key_Return);
        return answerer.texts();
    }
};

// A pixel of a plot's data area, in the plot's coordinates.
QPoint At(const ResponsePlot& plot, int column, int row = 100) {
    return plot.contentsRect().topLeft() + plot.Area().topLeft() + QPoint(column, row);
}

const StepFigures& StepOf(const ResponsePlot& plot) {
    return dynamic_cast<const StepChart&>(*plot.ShownChart()).Figures();
}
const BodeFigures& BodeOf(const ResponsePlot& plot) {
    return dynamic_cast<const BodeChart&>(*plot.ShownChart()).Figures();
}

// A number of a label or a file in the locale's notation.
double Number(QString text, const QLocale& locale) {
    const QByteArray latin = text.replace(locale.decimalPoint(), ".").toLatin1();
    double value = qQNaN();
    const auto [end, error] = std::from_chars(latin.begin(), latin.end(), value);
    return error == std::errc() && end == latin.end() ? value : qQNaN();
}

// The number after "name = " in a reading.
double Reading(const QString& text, const QString& name, const QLocale& locale) {
    const QRegularExpression pattern(QRegularExpression::escape(name) + " = (\\S+)");
    return Number(pattern.match(text).captured(1), locale);
}

QAction& MenuAction(ResponsePlot& plot, const QString& text) {
    const QPoint at = At(plot, 10);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, plot.mapToGlobal(at));
    QApplication::sendEvent(&plot, &click);
    QWidget* menu = QApplication::activePopupWidget();
    menu->close();
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return *action;
    qFatal("no action %s", qPrintable(text));
}

// The settled output of one RC at the start of a period (the pulse switching on), in closed form.
double SettledStart(double E, double d, double periodsPerTau) {
    return E * -std::expm1(-d * periodsPerTau) * std::exp(-(1 - d) * periodsPerTau) /
           -std::expm1(-periodsPerTau);
}

} // namespace

class ResponseWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        settings_.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
    }

    void theButtonShowsTheVerifiedCircuit_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << EnglishLocale();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void theButtonShowsTheVerifiedCircuit() {
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        Session s;
        // The verification fields are checked as "Grafici" checks them: nothing opens.
        s.field("Text7").clear();
        QCOMPARE(s.Respond(), QStringList{"Hai dimenticato di scrivere la tensione di ingresso E"});
        QVERIFY(!s.Window());
        s.field("Text7").setText("10");

        QCOMPARE(s.Respond(), QStringList());
        QPointer<ResponseWindow> window = s.Window();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Velmaro - Risposta del filtro"));
        QCOMPARE(window->objectName(), QString("ResponseWindow"));
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose) && !window->parent());
        QCOMPARE(s.Own("FromDutyField").text(), QString("0"));
        QCOMPARE(s.Shown("BodeSlopeLabel"), QString("-20"));
        QCOMPARE(s.Shown("BodeCutoffLabel"), "1" + locale.decimalPoint() + "59E+02");
        // From 0 to 3 V at τ = T: settled to 1 % about τ·ln 100 = 4.6 ms, in the 5th period.
        const double ms = Number(s.Shown("StepSettlingLabel"), locale);
        QVERIFY2(std::fabs(ms - std::log(100.0)) <= 1, qPrintable(s.Shown("StepSettlingLabel")));
        QCOMPARE(s.Shown("StepSettlingPeriodsLabel"), QString("5"));
        QCOMPARE(s.Shown("StepBandLabel"), "3" + locale.decimalPoint() + "00E-02");
        // The figures of the filter are the graph window's for the same circuit.
        s.click("Command2");
        for (const auto& [response, graph] :
             {std::pair{"BodeCutoffLabel", "CutoffLabel"},
              std::pair{"BodeAttenuationLabel", "AttenuationLabel"}})
            QCOMPARE(s.Shown(response), s.main.GraphWindow().findChild<QLabel*>(graph)->text());

        // A second press computes again in the same window, which keeps what was typed in it.
        s.Own("FromDutyField").setText("20");
        s.field("Text9").setText("2");
        s.field("R2Field").setText("10");
        s.field("C2Field").setText("100");
        QCOMPARE(s.Respond(), QStringList());
        QCOMPARE(s.Window(), window.data());
        QCOMPARE(s.Own("FromDutyField").text(), QString("20"));
        QCOMPARE(s.Shown("BodeSlopeLabel"), QString("-40"));
        QCOMPARE(StepOf(window->StepPlot()).response.StartMean(), 2.0);
        // Enter in a field of its own computes the step again: half an LSB of 10 bits of 10 V.
        QCOMPARE(s.Enter("BitsField", "10"), QStringList());
        QCOMPARE(s.Shown("StepBandLabel"), "4" + locale.decimalPoint() + "88E-03");

        // It closes with the main window and is gone; the next press makes a new one with its
        // fields as they start.
        {
            MessageBoxAnswerer notSaved(QMessageBox::Discard); // the fields were changed
            s.main.close();
        }
        s.main.show();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        QCOMPARE(s.Respond(), QStringList());
        QCOMPARE(s.Own("FromDutyField").text(), QString("0"));
        QCOMPARE(s.Own("BitsField").text(), QString());
    }

    void refusalsChangeNothing_data() {
        QTest::addColumn<QString>("fromDuty");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("message");
        const QString alphabet = " Puoi scrivere soltanto numeri razionali con il punto come "
                                 "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
                                 "1E-5 , 5E3";
        const QString duty =
            "Il Duty Cycle di partenza non può essere negativo o maggiore del 100%!";
        const QString bits =
            "La risoluzione del DAC deve essere un numero intero di bit da 1 a 24!";
        const auto row = [](const char* name, const char* fromDuty, const char* bitsText,
                            const QString& message) {
            QTest::newRow(name) << fromDuty << bitsText << message;
        };
        row("D empty", "", "",
            "Hai dimenticato di scrivere il valore del Duty Cycle di partenza in %");
        row("D with a comma, bits bad too", "2,5", "x",
            "Errore di inserimento dati per il valore del Duty Cycle di partenza in %." + alphabet);
        row("bits with a letter", "10", "8 bit",
            "Errore di inserimento dati per la risoluzione del DAC in bit." + alphabet);
        row("D beyond doubles", "1e400", "",
            "Errore di inserimento dati per il valore del Duty Cycle di partenza in %. Il numero "
            "è fuori dall'intervallo dei numeri rappresentabili.");
        row("D just above 100", "100.000001", "", duty);
        row("D negative", "-0.001", "", duty);
        row("D refused before bits", "150", "0", duty);
        row("no bits", "0", "0", bits);
        row("25 bits", "0", "25", bits);
        row("half a bit", "0", "12.5", bits);
        row("bits beyond doubles", "0", "1e400", bits);
    }
    void refusalsChangeNothing() {
        QFETCH(QString, fromDuty);
        QFETCH(QString, bits);
        QFETCH(QString, message);
        LocaleScope scope(ItalianLocale());
        Session s;
        s.Respond();
        QCOMPARE(s.Enter("BitsField", "12"), QStringList());
        ResponseWindow& window = *s.Window();
        const auto step = window.StepPlot().ShownChart(), bode = window.BodePlot().ShownChart();
        const QString band = s.Shown("StepBandLabel"), settling = s.Shown("StepSettlingLabel");

        s.Own("FromDutyField").setText(fromDuty);
        QCOMPARE(s.Enter("BitsField", bits), QStringList{message});
        // Nor does a new "Risposta", which brings the window forward with the same message.
        s.field("Text9").setText("3");
        QCOMPARE(s.Respond(), QStringList{message});
        QCOMPARE(window.StepPlot().ShownChart(), step);
        QCOMPARE(window.BodePlot().ShownChart(), bode);
        QCOMPARE(s.Shown("StepBandLabel"), band);
        QCOMPARE(s.Shown("StepSettlingLabel"), settling);
        // Mended, Enter computes the step again for the circuit both plots describe, not for the
        // one of the refused press.
        s.Own("FromDutyField").setText("0");
        QCOMPARE(s.Enter("BitsField", "12"), QStringList());
        QVERIFY(window.StepPlot().ShownChart() != step);
        QCOMPARE(BodeOf(window.BodePlot()).circuit.R, 1000.0);
        QCOMPARE(s.Shown("StepSettlingLabel"), settling);
    }

    // Where the settled ripple alone is wider than the band, a line says so with both figures.
    // τ = 1 ms: 2.06 V of ripple; τ = 0.1 s: 21 mV, within ±30 mV (1 % of the 3 V step) but not
    // within ½ LSB of 10 bits.
    void aRippleWiderThanTheBandIsSaid_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("C"); // nF
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("line");
        const QString line = "L'ondulazione a regime, %1 picco-picco, è più larga della banda "
                             "di ±%2: l'uscita esce dalla banda a ogni periodo, solo la sua "
                             "media vi resta.";
        QTest::newRow("1 %") << EnglishLocale() << "1000" << "" << line.arg("2.06 V", "30.0 mV");
        QTest::newRow("small ripple, 1 %") << EnglishLocale() << "1e5" << "" << QString();
        QTest::newRow("small ripple, 10 bits, Italian")
            << ItalianLocale() << "1e5" << "10" << line.arg("21,0 mV", "4,88 mV");
        QTest::newRow("small ripple, 24 bits")
            << EnglishLocale() << "1e5" << "24" << line.arg("21.0 mV", "0.298 µV");
    }
    void aRippleWiderThanTheBandIsSaid() {
        QFETCH(QLocale, locale);
        QFETCH(QString, C);
        QFETCH(QString, bits);
        QFETCH(QString, line);
        LocaleScope scope(locale);
        Session s;
        s.field("Text10").setText(C);
        QCOMPARE(s.Respond(), QStringList());
        QCOMPARE(s.Enter("BitsField", bits), QStringList());
        QCOMPARE(s.Shown("StepRippleWiderThanBandLabel"), line);
    }

    void measuresOnBothPlots_data() { theButtonShowsTheVerifiedCircuit_data(); }
    void measuresOnBothPlots() {
        QFETCH(QLocale, locale);
        LocaleScope scope(locale);
        Session s;
        s.Respond();
        ResponseWindow& window = *s.Window();
        ResponsePlot& step = window.StepPlot();
        const QString point = QRegularExpression::escape(locale.decimalPoint());
        const QString scientific = "-?\\d" + point + "\\d\\dE[+-]\\d\\d";
        const QString time = "\\d+" + point + "\\d{2,}";

        // The reading under the pointer stays through a zoom about it, with more digits.
        QTest::mouseMove(&step, At(step, 300, 101));
        QTest::mouseMove(&step, At(step, 300));
        const QString before = step.toolTip();
        QVERIFY2(QRegularExpression("^t = " + time + " ms   Vo = " + scientific + " V$")
                     .match(before)
                     .hasMatch(),
                 qPrintable(before));
        QWheelEvent wheel(At(step, 300), step.mapToGlobal(At(step, 300)), {}, {0, 360},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&step, &wheel);
        QVERIFY(step.View().zoom);
        const double whole = StepOf(step).whole * 1e3, column = whole / step.Area().width();
        QVERIFY(std::fabs(Reading(step.toolTip(), "t", locale) - Reading(before, "t", locale)) <
                column);

        // Two cursors: Δt is the columns between them, 1/Δt its inverse in Hz.
        step.setFocus();
        QTest::keyClick(&window, Qt::Key_Home);
        QVERIFY(!step.View().zoom);
        QTest::mouseClick(&step, Qt::LeftButton, {}, At(step, 100));
        QTest::mouseClick(&step, Qt::LeftButton, Qt::ShiftModifier, At(step, 600));
        const QString label = window.findChild<QLabel*>("StepCursorLabel")->text();
        QVERIFY2(QRegularExpression("^A: t = " + time + " ms   B: t = " + time +
                                    " ms   Δt = " + time + " ms   1/Δt = " + scientific +
                                    " Hz   ΔVo = " + scientific + " V$")
                     .match(label)
                     .hasMatch(),
                 qPrintable(label));
        // to the two decimals that tell two of its 0.01 ms columns apart
        QVERIFY(std::fabs(Reading(label, "Δt", locale) - 500 * column) <= 0.005 + 1e-9);
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.findChild<QLabel*>("StepCursorLabel")->text(), QString());

        // On the logarithmic axis, far above fc, the magnitude falls by 20 dB a decade between
        // the cursors: A at 30·fc, B ten times higher.
        ResponsePlot& bode = window.BodePlot();
        const BodeFigures& figures = BodeOf(bode);
        const double fc = *figures.cutoff, width = bode.Area().width();
        const auto columnOf = [&](double hertz) {
            return int((std::log10(hertz) - *figures.logLow) / figures.decades * width);
        };
        QTest::mouseMove(&bode, At(bode, columnOf(30 * fc), 101));
        QTest::mouseMove(&bode, At(bode, columnOf(30 * fc)));
        QTest::mouseClick(&bode, Qt::LeftButton, {}, At(bode, columnOf(30 * fc)));
        QTest::mouseClick(&bode, Qt::LeftButton, Qt::ShiftModifier, At(bode, columnOf(300 * fc)));
        const QString readings = window.findChild<QLabel*>("BodeCursorLabel")->text();
        const BodeChart& chart = dynamic_cast<const BodeChart&>(*bode.ShownChart());
        const auto frequency = [&](int column) {
            return chart.FrequencyAt(bode.PositionAt(float(bode.Area().left() + column)));
        };
        const double fa = frequency(columnOf(30 * fc)), fb = frequency(columnOf(300 * fc));
        QVERIFY(std::fabs(std::log10(fb / fa) - 1) < 0.02);
        QCOMPARE(Reading(readings, "A: f", locale),
                 Number(app::FormatNumber(fa, app::NumberPattern::Scientific2), locale));
        const double drop =
            10 * std::log10((1 + std::pow(fa / fc, 2)) / (1 + std::pow(fb / fc, 2)));
        QVERIFY2(std::fabs(Reading(readings, "Δ|H|", locale) - drop) <= 0.06, qPrintable(readings));
        QVERIFY(readings.contains(QRegularExpression("Δf = " + scientific +
                                                     " Hz   Δ\\|H\\| = " + scientific +
                                                     " dB   Δfase = " + scientific + "°$")));
        // The keys act on the plot last pointed at; a double-click shows it whole, its first
        // click undone.
        QTest::keyClick(&window, Qt::Key_Plus);
        QVERIFY(bode.View().zoom && !step.View().zoom);
        // Enter in a field of the window computes the step again and leaves the other plot be.
        const auto bodeChart = bode.ShownChart();
        QCOMPARE(s.Enter("BitsField", "8"), QStringList());
        QVERIFY(bode.View().zoom && bode.ShownChart() == bodeChart);
        QTest::mouseClick(&bode, Qt::LeftButton, {}, At(bode, 50));
        QTest::mouseDClick(&bode, Qt::LeftButton, {}, At(bode, 50));
        QVERIFY(!bode.View().zoom);
        QCOMPARE(window.findChild<QLabel*>("BodeCursorLabel")->text(), readings);
    }

    void savesPicturesAndData_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English") << EnglishLocale() << ",";
        QTest::newRow("Italian") << ItalianLocale() << ";";
    }
    void savesPicturesAndData() {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        LocaleScope scope(locale);
        Session s;
        s.Respond();
        ResponseWindow& window = *s.Window();
        QCOMPARE(s.Enter("FromDutyField", "20"), QStringList());
        QTemporaryDir folder;
        plot::SaveAnswer answer;
        window.SetSaveFileChooser(
            [&](QWidget&, const plot::SaveQuestion&) { return answer; });
        const auto read = [&](const char* name) {
            QFile file(folder.filePath(name));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const auto table = [&](const char* name) {
            QList<QStringList> rows;
            for (const QString& line : read(name).split('\n', Qt::SkipEmptyParts))
                rows << line.split(separator);
            return rows;
        };

        // The step at each drawn column's start, read back exactly; from the output settled at
        // 20 % to the band about 3 V.
        ResponsePlot& step = window.StepPlot();
        answer = {folder.filePath("passo"), app::Text::tr(plot::kCsvFilter)};
        MenuAction(step, "Salva dati…").trigger();
        const QList<QStringList> steps = table("passo.csv");
        QCOMPARE(steps.front(), (QStringList{"t [s]", "Vo [V]"}));
        QCOMPARE(steps.size(), 1 + step.Area().width());
        const StepFigures& figures = StepOf(step);
        for (qsizetype i = 1; i < steps.size(); ++i) {
            const double t = Number(steps[i][0], locale);
            QCOMPARE(t, double(ColumnStart({0, figures.whole}, int(i - 1), step.Area().width())));
            QCOMPARE(std::bit_cast<quint64>(Number(steps[i][1], locale)),
                     std::bit_cast<quint64>(figures.response.At(t)));
        }
        QVERIFY(std::fabs(Number(steps[1][1], locale) - SettledStart(10, 0.2, 1)) < 1e-12);
        QVERIFY(std::fabs(Number(steps.back()[1], locale) - 3) < 2.5);

        // The frequency response at 200 points a decade from fc/100.
        ResponsePlot& bode = window.BodePlot();
        answer = {folder.filePath("bode.csv"), app::Text::tr(plot::kCsvFilter)};
        MenuAction(bode, "Salva dati…").trigger();
        const QList<QStringList> bodeRows = table("bode.csv");
        QCOMPARE(bodeRows.front(), (QStringList{"f [Hz]", "|H| [dB]", "fase [°]"}));
        QCOMPARE(bodeRows.size(), 2 + int(BodeOf(bode).decades * 200));
        const double fc = *BodeOf(bode).cutoff;
        QVERIFY(std::fabs(Number(bodeRows[1][0], locale) / (fc / 100) - 1) < 1e-12);
        const double ratio = Number(bodeRows[201][0], locale) / Number(bodeRows[1][0], locale);
        QVERIFY(std::fabs(ratio - 10) < 1e-9);

        // The picture as on show, as PNG, as SVG vectors, and on the clipboard.
        answer = {folder.filePath("risposta"), app::Text::tr(plot::kPngFilter)};
        MenuAction(bode, "Salva grafico…").trigger();
        const QImage png(folder.filePath("risposta.png"));
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32), bode.Picture());
        answer = {folder.filePath("risposta.svg"), app::Text::tr(plot::kPngFilter)};
        MenuAction(bode, "Salva grafico…").trigger();
        const QString svg = read("risposta.svg");
        QVERIFY(svg.contains("<title>Risposta in frequenza</title>") && !svg.contains("<image"));
        MenuAction(step, "Copia grafico").trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 step.Picture());
    }

private:
    std::optional<QTemporaryDir> settings_; // where QSettings keeps the last folder
};

VELMARO_TEST(ResponseWindowTest);
#include "response_window_tests.moc"
