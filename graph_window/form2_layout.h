// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The graph window's controls, as they stand from start to end: controls never move.

#include "app/control_table.h"

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
    {"Option1",  OptionButton, "Vi(t)",         {15360, 1800, 975, 375},   Bold825, std::nullopt, kRed},
    {"Option2",  OptionButton, "iC(t)",         {15360, 3600, 735, 495},   Bold825, std::nullopt, kGreen},
    {"Option3",  OptionButton, "Vo(t)",         {15360, 8880, 735, 615},   Bold825, std::nullopt, kBlue},
    {"Label6",   Label,        "Delta Vovera",  {15360, 7560, 1215, 255}},
    {"Label5",   Label,        "Label5",        {16680, 7440, 1575, 375},  Bold825, kWhite},
    {"Label7",   Label,        "[mV]",          {18360, 7560, 495, 255}},
    {"Label12",  Label,        "Vomvera",       {15720, 8040, 975, 255}},
    {"Label9",   Label,        "Label9",        {16680, 7920, 1575, 375},  Bold825, kWhite},
    {"Label13",  Label,        "[V]",           {18360, 8040, 255, 255}},
    {"Label1",   Label,        "Sposta il cursore del mouse sulla forma d'onda , comparirà il valore in quel punto",
                                                {120, 9480, 8655, 375},    Bold975},
    {"Picture2", PictureBox,   "",              {16440, 4680, 495, 375}},

    // The filter's figures for the R and C of the run, between the first two trace selectors, in
    // the boxes of the real circuit's values.
    {"FilterCaption",       Label, "Filtro:",          {15360, 2220, 1275, 255}},
    {"CutoffCaption",       Label, "fc",               {15360, 2565, 1620, 255}},
    {"CutoffLabel",         Label, "",                 {16980, 2490, 1140, 330},  Bold825, kLightYellow},
    {"CutoffUnit",          Label, "[Hz]",             {18180, 2565, 495, 255}},
    {"AttenuationCaption",  Label, "Attenuazione a f", {15360, 2925, 1620, 255}},
    {"AttenuationLabel",    Label, "",                 {16980, 2850, 1140, 330},  Bold825, kLightYellow},
    {"AttenuationUnit",     Label, "[dB]",             {18180, 2925, 495, 255}},
    {"ResolutionCaption",   Label, "Risoluzione",      {15360, 3285, 1620, 255}},
    {"ResolutionLabel",     Label, "",                 {16980, 3210, 1140, 330},  Bold825, kLightYellow},
    {"ResolutionUnit",      Label, "[bit]",            {18180, 3285, 495, 255}},

    // The real circuit beside the simulation, in the free column: its values in boxes of the
    // plot's colour under a heading of their own, the simulation's white boxes under theirs.
    {"IdealCircuitCaption", Label, "Circuito ideale:", {15360, 4200, 2295, 255}},
    {"ExactRippleCaption",  Label, "Delta Vo",         {15360, 4680, 1020, 255}},
    {"ExactRippleLabel",    Label, "",                 {16980, 4560, 1140, 375},  Bold825, kLightYellow},
    {"ExactRippleUnit",     Label, "[mV]",             {18180, 4680, 495, 255}},
    {"ExactMeanCaption",    Label, "Vom",              {15360, 5100, 1020, 255}},
    {"ExactMeanLabel",      Label, "",                 {16980, 4980, 1140, 375},  Bold825, kLightYellow},
    {"ExactMeanUnit",       Label, "[V]",              {18180, 5100, 255, 255}},
    {"SettlingCaption",     Label, "Assestamento 1%",  {15360, 5520, 1620, 255}},
    {"SettlingLabel",       Label, "",                 {16980, 5400, 1140, 375},  Bold825, kLightYellow},
    {"SettlingUnit",        Label, "[periodi]",        {18180, 5520, 750, 255}},
    {"SettlingTimeCaption", Label, "Tempo 1%",         {15360, 5940, 1620, 255}},
    {"SettlingTimeLabel",   Label, "",                 {16980, 5820, 1140, 375},  Bold825, kLightYellow},
    {"SettlingTimeUnit",    Label, "[ms]",             {18180, 5940, 495, 255}},
    {"SimulationCaption",   Label, "Simulazione:",     {15360, 6480, 1275, 255}},
    {"SteadyStateLabel",    Label, "",                 {15360, 6780, 3510, 540}},

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
