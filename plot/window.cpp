// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/window.h"

#include <QWidget>

namespace plot {

void BringForward(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace plot
