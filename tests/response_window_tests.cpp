// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/test_registry.h"
#include <QObject>
class ResponseWindowTest : public QObject { Q_OBJECT };
VELMARO_TEST(ResponseWindowTest);
#include "response_window_tests.moc"
