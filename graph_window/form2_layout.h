// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The graph window's controls, as they stand from start to end: controls never move.

#include "app/control_table.h"

#include <QtGlobal>

namespace graph_window {

namespace form2_table {
using enum app::ControlKind;
using enum app::ControlFont;
using app::kBlue, app::kGreen, app::kLightYellow, app::kRed, app::kWhite;

inline constexpr int kForm2WidthTwips = 18930;
inline constexpr int kForm2HeightTwips = 10005;

// clang-format off
inline constexpr app::ControlRow kForm2Rows[] = {
    {"Picture1", Custom,       "",              {120, 120, 15015, 9135},   Bold825, kLightYellow},
    {"Option1",  OptionButton, QT_TRANSLATE_NOOP("Velmaro", "Vi(t)"),         {15360, 1800, 975, 375},   Bold825, std::nullopt, kRed},
    {"Option2",  OptionButton, QT_TRANSLATE_NOOP("Velmaro", "iC(t)"),         {15360, 3600, 735, 495},   Bold825, std::nullopt, kGreen},
    {"Option3",  OptionButton, QT_TRANSLATE_NOOP("Velmaro", "Vo(t)"),         {15360, 8880, 735, 615},   Bold825, std::nullopt, kBlue},
    {"Label6",   Label,        QT_TRANSLATE_NOOP("Velmaro", "Delta Vovera"),  {15360, 7560, 1215, 255}},
    {"Label5",   Label,        QT_TRANSLATE_NOOP("Velmaro", "Label5"),        {16680, 7440, 1575, 375},  Bold825, kWhite},
    {"Label7",   Label,        QT_TRANSLATE_NOOP("Velmaro", "[mV]"),          {18360, 7560, 495, 255}},
    {"Label12",  Label,        QT_TRANSLATE_NOOP("Velmaro", "Vomvera"),       {15720, 8040, 975, 255}},
    {"Label9",   Label,        QT_TRANSLATE_NOOP("Velmaro", "Label9"),        {16680, 7920, 1575, 375},  Bold825, kWhite},
    {"Label13",  Label,        QT_TRANSLATE_NOOP("Velmaro", "[V]"),           {18360, 8040, 255, 255}},
    {"Label1",   Label,        QT_TRANSLATE_NOOP("Velmaro", "Sposta il cursore del mouse sulla forma d'onda , comparirà il valore in quel punto"),
                                                {120, 9480, 8655, 375},    Bold975},
    {"Picture2", PictureBox,   "",              {16440, 4680, 495, 375}},

    // The filter's figures for the R and C of the run, between the first two trace selectors, in
    // the boxes of the real circuit's values.
    {"FilterCaption",       Label, QT_TRANSLATE_NOOP("Velmaro", "Filtro:"),          {15360, 2220, 1275, 255}},
    {"CutoffCaption",       Label, QT_TRANSLATE_NOOP("Velmaro", "fc"),               {15360, 2565, 1620, 255}},
    {"CutoffLabel",         Label, "",                 {16980, 2490, 1140, 330},  Bold825, kLightYellow},
    {"CutoffUnit",          Label, QT_TRANSLATE_NOOP("Velmaro", "[Hz]"),             {18180, 2565, 495, 255}},
    {"AttenuationCaption",  Label, QT_TRANSLATE_NOOP("Velmaro", "Attenuazione a f"), {15360, 2925, 1620, 255}},
    {"AttenuationLabel",    Label, "",                 {16980, 2850, 1140, 330},  Bold825, kLightYellow},
    {"AttenuationUnit",     Label, QT_TRANSLATE_NOOP("Velmaro", "[dB]"),             {18180, 2925, 495, 255}},
    {"ResolutionCaption",   Label, QT_TRANSLATE_NOOP("Velmaro", "Risoluzione"),      {15360, 3285, 1620, 255}},
    {"ResolutionLabel",     Label, "",                 {16980, 3210, 1140, 330},  Bold825, kLightYellow},
    {"ResolutionUnit",      Label, QT_TRANSLATE_NOOP("Velmaro", "[bit]"),            {18180, 3285, 495, 255}},

    // The real circuit beside the simulation, in the free column: its values in boxes of the
    // plot's colour under a heading of their own, the simulation's white boxes under theirs.
    {"IdealCircuitCaption", Label, QT_TRANSLATE_NOOP("Velmaro", "Circuito ideale:"), {15360, 4200, 2295, 255}},
    {"ExactRippleCaption",  Label, QT_TRANSLATE_NOOP("Velmaro", "Delta Vo"),         {15360, 4680, 1020, 255}},
    {"ExactRippleLabel",    Label, "",                 {16980, 4560, 1140, 375},  Bold825, kLightYellow},
    {"ExactRippleUnit",     Label, QT_TRANSLATE_NOOP("Velmaro", "[mV]"),             {18180, 4680, 495, 255}},
    {"ExactMeanCaption",    Label, QT_TRANSLATE_NOOP("Velmaro", "Vom"),              {15360, 5100, 1020, 255}},
    {"ExactMeanLabel",      Label, "",                 {16980, 4980, 1140, 375},  Bold825, kLightYellow},
    {"ExactMeanUnit",       Label, QT_TRANSLATE_NOOP("Velmaro", "[V]"),              {18180, 5100, 255, 255}},
    {"SettlingCaption",     Label, QT_TRANSLATE_NOOP("Velmaro", "Assestamento ±1%"),  {15360, 5520, 1620, 255}},
    {"SettlingLabel",       Label, "",                 {16980, 5400, 1140, 375},  Bold825, kLightYellow},
    {"SettlingUnit",        Label, QT_TRANSLATE_NOOP("Velmaro", "[periodi]"),        {18180, 5520, 750, 255}},
    {"SettlingTimeCaption", Label, QT_TRANSLATE_NOOP("Velmaro", "Tempo ±1%"),         {15360, 5940, 1620, 255}},
    {"SettlingTimeLabel",   Label, "",                 {16980, 5820, 1140, 375},  Bold825, kLightYellow},
    {"SettlingTimeUnit",    Label, QT_TRANSLATE_NOOP("Velmaro", "[ms]"),             {18180, 5940, 495, 255}},
    {"SimulationCaption",   Label, QT_TRANSLATE_NOOP("Velmaro", "Simulazione:"),     {15360, 6480, 1275, 255}},
    {"SteadyStateLabel",    Label, "",                 {15360, 6780, 3510, 540}},

    // Above the trace selectors, free until now: where the settled ripple alone is wider than
    // the settling band.
    {"RippleWiderThanBandLabel", Label, "",            {15360, 240, 3510, 1440},  Regular825, std::nullopt, kRed},

    // The cursors' readings, in the free strip right of the instruction line.
    {"CursorLabel",         Label, "",                 {8880, 9420, 9930, 540}},
};
// clang-format on
} // namespace form2_table

using form2_table::kForm2HeightTwips;
using form2_table::kForm2Rows;
using form2_table::kForm2WidthTwips;

// The graph window's labels, as the code names them: checked against the table when the program
// is compiled.
using Form2Label = app::ControlName<kForm2Rows, app::ControlKind::Label>;

} // namespace graph_window
