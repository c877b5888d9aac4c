// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The filter chooser's controls, as they stand from start to end: controls never move.

#include "app/control_table.h"

#include <QtGlobal>

namespace chooser_window {

namespace chooser_table {
using enum app::ControlKind;
using enum app::ControlFont;
using app::kLightBlue, app::kWhite;

inline constexpr int kChooserWidthTwips = 15000;
inline constexpr int kChooserHeightTwips = 10050;

// clang-format off
inline constexpr app::ControlRow kChooserRows[] = {
    // The converter the filter serves: its resolution and the time it may take to follow a code.
    {"BitsCaption",          Label,      QT_TRANSLATE_NOOP("Velmaro", "Risoluzione:"),          {240, 300, 1500, 255},    Bold975},
    {"ChooserBitsField",     TextBox,    QT_TRANSLATE_NOOP("Velmaro", "10"),                    {1800, 240, 1500, 375},   Bold825, kLightBlue},
    {"BitsUnit",             Label,      QT_TRANSLATE_NOOP("Velmaro", "[bit]"),                 {3390, 300, 600, 255},    Bold975},
    {"TimeCaption",          Label,      QT_TRANSLATE_NOOP("Velmaro", "Assestamento ±½ LSB:"), {4350, 300, 2625, 255},   Bold975},
    {"ChooserTimeField",     TextBox,    "",                                                    {7050, 240, 1500, 375},   Bold825, kLightBlue},
    {"TimeUnit",             Label,      QT_TRANSLATE_NOOP("Velmaro", "[ms]"),                  {8640, 300, 600, 255},    Bold975},
    {"ChooserComputeButton", PushButton, QT_TRANSLATE_NOOP("Velmaro", "Calcola"),               {9600, 180, 2895, 495},   Bold825, kLightBlue},

    // The design the candidates were chosen for, then the candidates side by side.
    {"ChooserDesignLabel",   Label,      "",                                                    {240, 840, 14520, 255},   Regular825},
    {"ChooserTable",         Custom,     "",                                                    {240, 1200, 14520, 2460}, Bold825, kWhite},
    {"ChooserUseButton",     PushButton, QT_TRANSLATE_NOOP("Velmaro", "Usa in verifica"),       {240, 3810, 2895, 495},   Bold825, kLightBlue},
    {"ChooserStatusLabel",   Label,      "",                                                    {3360, 3930, 11400, 255}},

    // Ripple against settling as C sweeps, one curve per candidate.
    {"TradeOffPlot",         Custom,     "",                                                    {240, 4470, 14520, 5340}, Regular825, kWhite},
};
// clang-format on
} // namespace chooser_table

using chooser_table::kChooserHeightTwips, chooser_table::kChooserRows, chooser_table::kChooserWidthTwips;

// The window's fields and labels, as the code names them: checked against the table when the
// program is compiled.
using ChooserField = app::ControlName<kChooserRows, app::ControlKind::TextBox>;
using ChooserLabel = app::ControlName<kChooserRows, app::ControlKind::Label>;

} // namespace chooser_window
