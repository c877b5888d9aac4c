// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keyboard walk and the names a screen reader gives its controls.

#include "main_window/form1_layout.h"

namespace main_window {

namespace {

// Every name below is checked against the window's table when the program is compiled.
consteval const char* Checked(const char* name) { return app::CheckedName<kForm1Rows>(name); }

// "Dati Esempio" stands for typing the design data, so it comes before the design fields: one
// Shift+Tab from the field the focus starts in, and the walk from the typed data to "Calcola C"
// crosses no button that would overwrite them.
// clang-format off
const FocusStop kForm1FocusOrder[] = {
    {Checked("Command3")},
    {Checked("Text1"),  Checked("Command1")},
    {Checked("Text2"),  Checked("Command1")},
    {Checked("Text3"),  Checked("Command1")},
    {Checked("Text4"),  Checked("Command1")},
    {Checked("Text6"),  Checked("Command1")},
    {Checked("OrderCombo")},
    {Checked("StageRatioField"), Checked("Command1")},
    {Checked("LoadField"),       Checked("Command1")},
    {Checked("Command1")},
    {Checked("ChooserButton")},
    {Checked("SeriesCombo")},
    {Checked("CToleranceCombo")},
    {Checked("RToleranceCombo")},
    {Checked("UseSafeC")},
    {Checked("Text7"),  Checked("Command2")},
    {Checked("Text12"), Checked("Command2")},
    {Checked("Text8"),  Checked("Command2")},
    {Checked("Text9"),  Checked("Command2")},
    {Checked("Text10"), Checked("Command2")},
    {Checked("R2Field"), Checked("Command2")},
    {Checked("C2Field"), Checked("Command2")},
    {Checked("RLField"), Checked("Command2")},
    {Checked("Text13"), Checked("Command2")},
    {Checked("Text14"), Checked("Command2")},
    {Checked("Text15"), Checked("Command2")},
    {Checked("Command2")},
    {Checked("ResponseButton")},
};

// Each field by its symbol and unit; each run setting by its symbol and description. The push
// buttons are named by their captions already.
const app::NamingRow kForm1Names[] = {
    {Checked("Text1"),   {Checked("Label3")},             Checked("Label4")},
    {Checked("Text2"),   {Checked("Label9")},             Checked("Label12")},
    {Checked("Text3"),   {Checked("Label7")},             Checked("Label8")},
    {Checked("Text4"),   {Checked("Label5"), Checked("Label11")},  Checked("Label10")},
    {Checked("Text6"),   {Checked("Label17")},            Checked("Label6")},
    {Checked("Label25"), {Checked("Label22")},            Checked("Label23")},
    {Checked("ExactCLabel"),    {Checked("ExactCCaption")},    Checked("ExactCUnit")},
    {Checked("StandardCLabel"), {Checked("StandardCCaption")}, Checked("StandardCUnit")},
    {Checked("SeriesCombo"),      {Checked("SeriesCaption")}},
    {Checked("CToleranceCombo"),  {Checked("CToleranceCaption")}},
    {Checked("RToleranceCombo"),  {Checked("RToleranceCaption")}},
    {Checked("WorstRippleLabel"), {Checked("WorstRippleCaption")}, Checked("WorstRippleUnit")},
    {Checked("SafeCLabel"),       {Checked("SafeCCaption")},       Checked("SafeCUnit")},
    {Checked("SafeC2Label"),      {Checked("SafeC2Caption")},      Checked("SafeC2Unit")},
    {Checked("OrderCombo"),       {Checked("OrderCaption")}},
    {Checked("StageRatioField"),  {Checked("StageRatioCaption")}},
    {Checked("LoadField"),        {Checked("LoadCaption")},        Checked("LoadUnit")},
    {Checked("ExactC2Label"),     {Checked("ExactC2Caption")},     Checked("ExactC2Unit")},
    {Checked("StandardC2Label"),  {Checked("StandardC2Caption")},  Checked("StandardC2Unit")},
    {Checked("R2Field"),          {Checked("R2Caption")},          Checked("R2Unit")},
    {Checked("C2Field"),          {Checked("C2Caption")},          Checked("C2Unit")},
    {Checked("RLField"),          {Checked("RLCaption")},          Checked("RLUnit")},
    {Checked("Text7"),   {Checked("Label36")},            Checked("Label37")},
    {Checked("Text12"),  {Checked("Label46")},            Checked("Label47")},
    {Checked("Text8"),   {Checked("Label38")},            Checked("Label39")},
    {Checked("Text9"),   {Checked("Label40")},            Checked("Label43")},
    {Checked("Text10"),  {Checked("Label41")},            Checked("Label44")},
    {Checked("Text13"),  {Checked("Label48")},            Checked("Label56")},
    {Checked("Text14"),  {Checked("Label49")},            Checked("Label57")},
    {Checked("Text15"),  {Checked("Label64")},            Checked("Label65")},
};
// clang-format on

} // namespace

std::span<const FocusStop> Form1FocusOrder() { return kForm1FocusOrder; }

std::span<const app::NamingRow> Form1Names() { return kForm1Names; }

} // namespace main_window
