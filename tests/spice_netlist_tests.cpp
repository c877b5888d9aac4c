// SPDX-License-Identifier: GPL-3.0-or-later
// The verification circuit as a SPICE netlist: its text for the worked example, and, where
// ngspice is installed, its mean and ripple against the exact settled figures.

#include "app/spice_netlist.h"
#include "engine/filter_circuit.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using engine::FilterCircuit, engine::SecondStage;

namespace {

// Whole periods from discharged capacitors until the slowest mode has come within a
// thousandth of the ripple, and one more to measure.
std::int64_t PeriodsToSettle(const FilterCircuit& circuit, double e, double d, double f) {
    const auto model = *engine::ModelOf(circuit);
    const auto settled = *engine::SteadyStateOf(circuit, e, d, f);
    const double seconds = std::log(settled.mean / (settled.ripple * 1e-3)) / model.rate[0];
    return std::int64_t(std::ceil(seconds * f)) + 1;
}

// A measurement of ngspice's output: "vom = 2.999998e+00 from= …".
std::optional<double> Measured(const QString& output, const QString& name) {
    const QRegularExpression line(QStringLiteral("^%1\\s*=\\s*(\\S+)").arg(name),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(output);
    bool ok = false;
    const double value = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

class SpiceNetlistTest : public QObject {
    Q_OBJECT

private slots:
    void theExampleAsWritten();
    void ngspiceAgreesWithTheExactFigures_data();
    void ngspiceAgreesWithTheExactFigures();
};

void SpiceNetlistTest::theExampleAsWritten() {
    const app::NetlistInput example{10, 0.3, 1e4, {1e4, 2.1e-8, std::nullopt, std::nullopt},
                                    20, "esempio.velmaro", "1.2.0"};
    QCOMPARE(QString::fromStdString(app::SpiceNetlist(example)),
             QStringLiteral(
                 "* Velmaro 1.2.0: circuito di verifica di esempio.velmaro\n"
                 "* E = 10 V, D = 30 %, f = 10000 Hz, R = 10000 ohm, C = 2.1e-08 F\n"
                 "* Uscita: v(v1); .meas vom e deltavo sull'ultimo periodo\n"
                 "V1 in 0 PULSE(0 10 0 1e-08 1e-08 2.999e-05 0.0001)\n"
                 "R1 in v1 10000\n"
                 "C1 v1 0 2.1e-08 IC=0\n"
                 ".tran 2e-07 0.002 0 2e-07 UIC\n"
                 ".meas tran vom AVG v(v1) FROM=0.0019 TO=0.002\n"
                 ".meas tran deltavo PP v(v1) FROM=0.0019 TO=0.002\n"
                 ".end\n"));
    // The second stage and a load: the output moves to C2, RL across it.
    const app::NetlistInput filter{10, 0.3, 1e4, {1e4, 2.1e-8, SecondStage{1e5, 2.1e-9}, 1e6},
                                   3, "", "1.2.0"};
    const QString text = QString::fromStdString(app::SpiceNetlist(filter));
    for (const char* line : {"R2 v1 out 100000\n", "C2 out 0 2.1e-09 IC=0\n", "RL out 0 1000000\n",
                             ".meas tran vom AVG v(out) FROM=0.0002 TO=0.0003\n"})
        QVERIFY2(text.contains(QLatin1String(line)), line);
    QVERIFY(text.startsWith(QLatin1String("* Velmaro 1.2.0: circuito di verifica\n")));
}

void SpiceNetlistTest::ngspiceAgreesWithTheExactFigures_data() {
    QTest::addColumn<double>("D");
    QTest::addColumn<double>("C2");
    QTest::addColumn<double>("RL");
    QTest::newRow("one RC") << 0.3 << 0.0 << 0.0;
    QTest::newRow("one RC, a load") << 0.555 << 0.0 << 1e6;
    QTest::newRow("two stages, k 10") << 0.3 << 2.1e-9 << 0.0;
    QTest::newRow("two stages, k 10, a load") << 0.7 << 2.1e-9 << 1e6;
}

void SpiceNetlistTest::ngspiceAgreesWithTheExactFigures() {
    QFETCH(double, D);
    QFETCH(double, C2);
    QFETCH(double, RL);
    const QString ngspice = QStandardPaths::findExecutable(QStringLiteral("ngspice"));
    if (ngspice.isEmpty())
        QSKIP("ngspice is not installed");
    FilterCircuit circuit{1e4, 2.1e-8, std::nullopt, std::nullopt};
    if (C2 > 0)
        circuit.second = SecondStage{1e5, C2};
    if (RL > 0)
        circuit.RL = RL;
    const double E = 10, f = 1e4;
    const app::NetlistInput input{E, D, f, circuit, PeriodsToSettle(circuit, E, D, f), "", "1.2.0"};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("verifica.cir"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) &&
            file.write(QByteArray::fromStdString(app::SpiceNetlist(input))) > 0);
    file.close();
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(ngspice, {QStringLiteral("-b"), path});
    QVERIFY(run.waitForFinished(120'000));
    const QString output = QString::fromLocal8Bit(run.readAll());
    const auto settled = *engine::SteadyStateOf(circuit, E, D, f);
    const std::optional<double> mean = Measured(output, QStringLiteral("vom"));
    const std::optional<double> ripple = Measured(output, QStringLiteral("deltavo"));
    QVERIFY2(mean && ripple, qPrintable(output));
    QVERIFY2(std::fabs(*mean - settled.mean) <= 0.01 * settled.mean,
             qPrintable(QStringLiteral("%1 V against %2 V").arg(*mean).arg(settled.mean)));
    QVERIFY2(std::fabs(*ripple - settled.ripple) <= 0.01 * settled.ripple,
             qPrintable(QStringLiteral("%1 V against %2 V").arg(*ripple).arg(settled.ripple)));
}

VELMARO_TEST(SpiceNetlistTest);

#include "spice_netlist_tests.moc"
