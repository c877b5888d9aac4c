// SPDX-License-Identifier: GPL-3.0-or-later
// Usage: velmaro_tests [TestClass [QtTest arguments...]]
// Without a class name every registered class runs in turn.

#include "app/text.h"
#include "tests/test_registry.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

std::map<std::string, TestFactory>& TestRegistry() {
    static std::map<std::string, TestFactory> registry;
    return registry;
}

int main(int argc, char* argv[]) {
    // The settings the program keeps (recent files, window places, folders) go to a test
    // folder, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    app::InstallToolkitTranslations(application);
    if (argc > 1 && std::string(argv[1]) == "--list") {
        for (const auto& entry : TestRegistry())
            std::printf("%s\n", entry.first.c_str());
        return 0;
    }
    int failures = 0;
    if (argc > 1 && argv[1][0] != '-') {
        const auto found = TestRegistry().find(argv[1]);
        if (found == TestRegistry().end()) {
            std::fprintf(stderr, "no test class %s\n", argv[1]);
            return 2;
        }
        const auto test = found->second();
        // QtTest reads its own options after the program name.
        argv[1] = argv[0];
        return QTest::qExec(test.get(), argc - 1, argv + 1);
    }
    for (const auto& entry : TestRegistry()) {
        const auto test = entry.second();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
