// SPDX-License-Identifier: GPL-3.0-or-later
// The verification circuit as a SPICE netlist: its text for the worked example and with a second
// stage and a load. The desktop tests write it through the menu and run it through ngspice.

#include "app/spice_netlist.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>


using engine::FilterCircuit, engine::SecondStage;

class SpiceNetlistTest : public QObject {
    Q_OBJECT

private slots:
    void theExampleAsWritten();
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

VELMARO_TEST(SpiceNetlistTest);

#include "spice_netlist_tests.moc"
