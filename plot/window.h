// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every window that shows plots does alike.

class QWidget;

namespace plot {

// The window brought forward whatever state it was in: restored from minimized, shown, raised
// and active.
void BringForward(QWidget& window);

} // namespace plot
