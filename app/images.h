// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures compiled into the program from assets/.

#include <QIcon>
#include <QPixmap>

namespace app {

// The red alarm clock, drawn at 32 x 32 and 16 x 16 pixels.
QIcon VelmaroIcon();

// The circuits the schematic draws.
enum class SchematicCircuit {
    OneStage,        // R and C
    OneStageLoaded,  // R and C, RL across the output
    TwoStages,       // R and C, then R2 and C2
    TwoStagesLoaded, // the same, RL across the output
};

// The circuit's schematic, 320 x 214 device-independent pixels, drawn from its vector source
// for a screen of the device pixel ratio given: sharp at any scale.
QPixmap SchematicPicture(SchematicCircuit circuit, qreal devicePixelRatio = 1);

} // namespace app
