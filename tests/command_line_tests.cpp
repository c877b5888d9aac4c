// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: what it starts with, what it prints and the status it ends with.

#include "app/command_line.h"
#include "tests/test_registry.h"

#include <QTest>

using app::ReadCommandLine;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    // status -1: the program starts, with file; the texts are the first line of each output.
    void readsWhatToDo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors");
        const QString usage = "Uso: velmaro [OPZIONE] [FILE]";
        // clang-format off
        QTest::newRow("nothing") << QStringList() << -1 << "" << "" << "";
        QTest::newRow("a file") << QStringList{"a.velmaro"} << -1 << "a.velmaro" << "" << "";
        QTest::newRow("after --") << QStringList{"--", "-a"} << -1 << "-a" << "" << "";
        QTest::newRow("Qt's options") << QStringList{"-platform", "offscreen", "-reverse", "a"}
                                      << -1 << "a" << "" << "";
        QTest::newRow("Qt's options with =") << QStringList{"-style=fusion", "--platform=xcb", "a"}
                                             << -1 << "a" << "" << "";
        QTest::newRow("--help") << QStringList{"a", "--help"} << 0 << "" << usage << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "" << usage << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << ""
                                   << "velmaro " VELMARO_VERSION << "";
        QTest::newRow("unknown") << QStringList{"--help", "--bogus"} << 2 << "" << ""
                                 << "velmaro: opzione sconosciuta: --bogus";
        QTest::newRow("no value") << QStringList{"a", "-style"} << 2 << "" << ""
                                  << "velmaro: opzione sconosciuta: -style";
        QTest::newRow("two files") << QStringList{"a", "b"} << 2 << "" << ""
                                   << "velmaro: si apre un solo FILE alla volta, non 2";
        // clang-format on
    }
    void readsWhatToDo() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, file);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const app::StartRequest request = ReadCommandLine(arguments);
        QCOMPARE(request.exitStatus.value_or(-1), status);
        QCOMPARE(request.file, file);
        QCOMPARE(request.output.section('\n', 0, 0), output);
        QCOMPARE(request.errors.section('\n', 0, 0), errors);
        // A refusal shows the usage after its reason.
        if (status == 2)
            QCOMPARE(request.errors.section('\n', 1, 1), QString("Uso: velmaro [OPZIONE] [FILE]"));
    }
};

VELMARO_TEST(CommandLineTest);

#include "command_line_tests.moc"
