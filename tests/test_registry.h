// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One runner for every test class: each test file registers its class with VELMARO_TEST, and
// CTest starts the runner once per class name.

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::map<std::string, TestFactory>& TestRegistry();

struct TestRegistration {
    TestRegistration(const char* name, TestFactory factory) {
        TestRegistry().emplace(name, std::move(factory));
    }
};

#define VELMARO_TEST(Class)                                                                        \
    static const TestRegistration registration_##Class(                                            \
        #Class, [] { return std::unique_ptr<QObject>(new Class); })
