// SPDX-License-Identifier: GPL-3.0-or-later
// The response window's figures against closed forms: the settling of a first-order step from
// any duty cycle with the 1 % band and with a converter's band, the time axis, and the frequency
// axis, cut-off, phase and slope of both orders as the plot reads them.

#include "response_window/bode_chart.h"
#include "response_window/response_figures.h"
#include "response_window/step_chart.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>

using namespace response_window;

namespace {

constexpr double kE = 10;

engine::FilterCircuit Circuit(double R, double C, double R2, double C2, double RL) {
    engine::FilterCircuit circuit{R, C, std::nullopt, std::nullopt};
    if (R2 > 0)
        circuit.second = engine::SecondStage{R2, C2};
    if (RL > 0)
        circuit.RL = RL;
    return circuit;
}

// The table of a chart over its whole axis, with "." and ",".
std::vector<std::vector<double>> Rows(const Chart& chart) {
    std::string table;
    chart.WriteTable({0, chart.Limits().whole}, 500, ",", ".", [&table](const std::string& piece) {
        table += piece;
        return true;
    });
    std::vector<std::vector<double>> rows;
    const QStringList lines = QString::fromStdString(table).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        rows.emplace_back();
        for (const QString& field : lines[i].split(','))
            rows.back().push_back(field.toDouble());
    }
    return rows;
}

} // namespace

class ResponseFiguresTest : public QObject {
    Q_OBJECT
private slots:
    // From the duty cycle D0 to D the first order's mean approaches D·E·g as e^(−t/τ), τ = R'·C
    // with R' = R∥RL: it stays within ε of the step from τ·ln(1/ε) on.
    void firstOrderStepSettlesAsItsClosedForm_data() {
        QTest::addColumn<double>("RL"); // ohm, 0 for none
        QTest::addColumn<double>("periodsPerTau");
        QTest::addColumn<double>("D0");
        QTest::addColumn<double>("D");
        QTest::addColumn<int>("bits"); // 0: the 1 % band
        QTest::newRow("from 0, 1 %") << 0.0 << 0.2 << 0.0 << 0.5 << 0;
        QTest::newRow("from 0, period of τ") << 0.0 << 1.0 << 0.0 << 0.3 << 0;
        QTest::newRow("up between duty cycles") << 0.0 << 0.1 << 0.2 << 0.6 << 0;
        QTest::newRow("down between duty cycles") << 0.0 << 0.1 << 0.9 << 0.1 << 0;
        QTest::newRow("with a load") << 30e3 << 0.05 << 0.0 << 0.5 << 0;
        QTest::newRow("12 bits") << 0.0 << 0.01 << 0.0 << 0.5 << 12;
        QTest::newRow("24 bits, loaded") << 5e3 << 0.001 << 0.25 << 0.75 << 24;
    }
    void firstOrderStepSettlesAsItsClosedForm() {
        QFETCH(double, RL);
        QFETCH(double, periodsPerTau);
        QFETCH(double, D0);
        QFETCH(double, D);
        QFETCH(int, bits);
        const double R = 10e3, C = 100e-9;
        const double resistance = RL > 0 ? R * RL / (R + RL) : R, gain = RL > 0 ? RL / (R + RL) : 1;
        const double tau = resistance * C, period = periodsPerTau * tau;
        const ResponseInput input{kE, D, 1 / period, Circuit(R, C, 0, 0, RL)};
        const StepChoice choice{D0, bits > 0 ? std::optional<int>(bits) : std::nullopt};
        const std::optional<StepFigures> figures = StepFiguresOf(input, choice);
        QVERIFY(figures);

        const double band =
            bits > 0 ? kE * gain / std::pow(2.0, bits + 1) : std::fabs(D - D0) * kE * gain / 100;
        QCOMPARE(figures->band, band);
        const double epsilon = band / (std::fabs(D - D0) * kE * gain);
        // The mean response itself, not a mean over a period: its closed form to the last digits.
        QVERIFY2(std::fabs(figures->settling - tau * std::log(1 / epsilon)) <=
                     1e-12 * tau * std::log(1 / epsilon),
                 qPrintable(QString("settling %1 s, τ·ln(1/ε) %2 s, T %3 s")
                                .arg(figures->settling)
                                .arg(tau * std::log(1 / epsilon))
                                .arg(period)));
        QCOMPARE(figures->whole, std::max(1.5 * figures->settling, 10 * period));
        QCOMPARE(figures->periods, std::ceil(figures->settling * input.f));
    }

    // Where nothing leaves the band the output is settled from t = 0, and the axis is ten periods.
    void aStepWithinTheBandIsSettledAtOnce_data() {
        QTest::addColumn<double>("D0");
        QTest::addColumn<int>("bits");
        QTest::newRow("no step, 1 %") << 0.4 << 0;
        QTest::newRow("no step, 8 bits") << 0.4 << 8;
        QTest::newRow("a step smaller than half an LSB") << 0.39 << 4;
    }
    void aStepWithinTheBandIsSettledAtOnce() {
        QFETCH(double, D0);
        QFETCH(int, bits);
        const ResponseInput input{kE, 0.4, 1e4, Circuit(10e3, 1e-6, 0, 0, 0)};
        const auto figures =
            StepFiguresOf(input, {D0, bits > 0 ? std::optional<int>(bits) : std::nullopt});
        QVERIFY(figures);
        QCOMPARE(figures->settling, 0.0);
        QCOMPARE(figures->whole, 10 * 1e-4);
        QCOMPARE(figures->periods, 0.0);
    }

    // The frequency axis runs from a hundredth of the lower of fc and f to a hundred times the
    // higher, its table at 200 rows a decade from the left end; at fc the magnitude is −3 dB for
    // either order and the phase −45° for the first; the last decade falls by the slope the window
    // states.
    void bodeAxisCutoffPhaseAndSlope_data() {
        QTest::addColumn<double>("R2");
        QTest::addColumn<double>("RL");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("slope");
        QTest::addColumn<QString>("phaseAtCutoff"); // empty: not fixed for the order
        QTest::newRow("one RC") << 0.0 << 0.0 << 1e4 << -20.0 << "-4.50E+01";
        QTest::newRow("one RC loaded") << 0.0 << 20e3 << 1e4 << -20.0 << "-4.50E+01";
        QTest::newRow("one RC, f below fc") << 0.0 << 0.0 << 10.0 << -20.0 << "-4.50E+01";
        QTest::newRow("two stages") << 100e3 << 0.0 << 1e4 << -40.0 << "";
        QTest::newRow("two stages loaded") << 100e3 << 1e6 << 1e4 << -40.0 << "";
    }
    void bodeAxisCutoffPhaseAndSlope() {
        QFETCH(double, R2);
        QFETCH(double, RL);
        QFETCH(double, f);
        QFETCH(double, slope);
        QFETCH(QString, phaseAtCutoff);
        LocaleScope c(QLocale::c());
        const ResponseInput input{kE, 0.5, f, Circuit(10e3, 100e-9, R2, 10e-9, RL)};
        const BodeFigures figures = BodeFiguresOf(input);
        QVERIFY(figures.cutoff && figures.logLow);
        QCOMPARE(figures.slope, slope);
        const double fc = *figures.cutoff;
        const BodeChart chart(figures);

        const auto rows = Rows(chart);
        QCOMPARE(qsizetype(rows.size()), qsizetype(std::floor(figures.decades * 200 + 1e-9) + 1));
        QVERIFY(std::fabs(rows.front()[0] / (std::min(f, fc) / 100) - 1) < 1e-9);
        const double lastStep = std::log10(std::max(f, fc) * 100 / rows.back()[0]);
        QVERIFY2(lastStep > -1e-9 && lastStep < 1.0 / 200, qPrintable(QString::number(lastStep)));
        const auto& decadeBefore = rows[rows.size() - 201];
        QVERIFY2(std::fabs(rows.back()[1] - decadeBefore[1] - slope) < 0.05,
                 qPrintable(QString::number(rows.back()[1] - decadeBefore[1])));

        const QString reading = *chart.Reading(std::log10(fc) - *figures.logLow, {}, 1);
        QVERIFY2(reading.contains("|H| = -3.01E+00 dB"), qPrintable(reading));
        if (!phaseAtCutoff.isEmpty())
            QVERIFY2(reading.endsWith("fase = " + phaseAtCutoff + "°"), qPrintable(reading));
    }
};

VELMARO_TEST(ResponseFiguresTest);
#include "response_figures_tests.moc"
