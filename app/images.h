// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures compiled into the program from assets/.

#include <QIcon>
#include <QPixmap>

namespace app {

// The red alarm clock, drawn at 32 x 32 and 16 x 16 pixels.
QIcon VelmaroIcon();

// The circuit schematic, 320 x 214 pixels.
QPixmap SchematicPicture();

} // namespace app
