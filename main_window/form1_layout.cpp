// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keyboard walk and the names a screen reader gives its controls.

#include "main_window/form1_layout.h"

namespace main_window {

namespace {

// "Dati Esempio" stands for typing the design data, so it comes before the design fields: one
// Shift+Tab from the field the focus starts in, and the walk from the typed data to "Calcola C"
// crosses no button that would overwrite them.
// clang-format off
const FocusStop kForm1FocusOrder[] = {
    {"Command3"},
    {"Text1",  "Command1"},
    {"Text2",  "Command1"},
    {"Text3",  "Command1"},
    {"Text4",  "Command1"},
    {"Text6",  "Command1"},
    {"OrderCombo"},
    {"StageRatioField", "Command1"},
    {"LoadField",       "Command1"},
    {"Command1"},
    {"ChooserButton"},
    {"SeriesCombo"},
    {"CToleranceCombo"},
    {"RToleranceCombo"},
    {"UseSafeC"},
    {"Text7",  "Command2"},
    {"Text12", "Command2"},
    {"Text8",  "Command2"},
    {"Text9",  "Command2"},
    {"Text10", "Command2"},
    {"R2Field", "Command2"},
    {"C2Field", "Command2"},
    {"RLField", "Command2"},
    {"Text13", "Command2"},
    {"Text14", "Command2"},
    {"Text15", "Command2"},
    {"Command2"},
    {"ResponseButton"},
};

// Each field by its symbol and unit; each run setting by its symbol and description. The push
// buttons are named by their captions already.
const app::NamingRow kForm1Names[] = {
    {"Text1",   {"Label3"},             "Label4"},
    {"Text2",   {"Label9"},             "Label12"},
    {"Text3",   {"Label7"},             "Label8"},
    {"Text4",   {"Label5", "Label11"},  "Label10"},
    {"Text6",   {"Label17"},            "Label6"},
    {"Label25", {"Label22"},            "Label23"},
    {"ExactCLabel",    {"ExactCCaption"},    "ExactCUnit"},
    {"StandardCLabel", {"StandardCCaption"}, "StandardCUnit"},
    {"SeriesCombo",      {"SeriesCaption"}},
    {"CToleranceCombo",  {"CToleranceCaption"}},
    {"RToleranceCombo",  {"RToleranceCaption"}},
    {"WorstRippleLabel", {"WorstRippleCaption"}, "WorstRippleUnit"},
    {"SafeCLabel",       {"SafeCCaption"},       "SafeCUnit"},
    {"SafeC2Label",      {"SafeC2Caption"},      "SafeC2Unit"},
    {"OrderCombo",       {"OrderCaption"}},
    {"StageRatioField",  {"StageRatioCaption"}},
    {"LoadField",        {"LoadCaption"},        "LoadUnit"},
    {"ExactC2Label",     {"ExactC2Caption"},     "ExactC2Unit"},
    {"StandardC2Label",  {"StandardC2Caption"},  "StandardC2Unit"},
    {"R2Field",          {"R2Caption"},          "R2Unit"},
    {"C2Field",          {"C2Caption"},          "C2Unit"},
    {"RLField",          {"RLCaption"},          "RLUnit"},
    {"Text7",   {"Label36"},            "Label37"},
    {"Text12",  {"Label46"},            "Label47"},
    {"Text8",   {"Label38"},            "Label39"},
    {"Text9",   {"Label40"},            "Label43"},
    {"Text10",  {"Label41"},            "Label44"},
    {"Text13",  {"Label48"},            "Label56"},
    {"Text14",  {"Label49"},            "Label57"},
    {"Text15",  {"Label64"},            "Label65"},
};
// clang-format on

} // namespace

std::span<const FocusStop> Form1FocusOrder() { return kForm1FocusOrder; }

std::span<const app::NamingRow> Form1Names() { return kForm1Names; }

} // namespace main_window
