// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/control_table.h"

#include <QtGlobal>

#include <span>

namespace main_window {

// Wider than the first window's 15990: the filter's column stands on the right. 1346 pixels
// at most, what a 1366 × 768 screen shows inside a window's frame.
inline constexpr int kForm1WidthTwips = 20190;
inline constexpr int kForm1HeightTwips = 8550;

// The main window's controls, as they stand from start to end: controls never move.
namespace form1_table {
using enum app::ControlKind;
using enum app::ControlFont;
using app::kLightBlue, app::kLightCyan, app::kLightPink;

// Long rows (the legend) are kept on one line each so the table reads like the window.
// clang-format off
inline constexpr app::ControlRow kForm1Rows[] = {
    // Heading and schematic.
    {"Label2",   Label,      QT_TRANSLATE_NOOP("Velmaro", "Velmaro"),                 {120, 120, 4215, 495},     Bold18},
    {"Picture1", PictureBox, "",                        {240, 720, 4695, 3135}},

    // Design data.
    {"Label1",   Label,   QT_TRANSLATE_NOOP("Velmaro", "Progetto > dati:"),           {11280, 360, 2055, 255},   Bold975},
    {"Label3",   Label,   QT_TRANSLATE_NOOP("Velmaro", "E"),                          {10800, 720, 255, 255},    Bold975},
    {"Text1",    TextBox, "",                           {11280, 720, 2055, 375},   Bold825, kLightBlue},
    {"Label4",   Label,   QT_TRANSLATE_NOOP("Velmaro", "[V]"),                        {13440, 720, 735, 375},    Bold975},
    {"Label9",   Label,   QT_TRANSLATE_NOOP("Velmaro", "Vom"),                        {10680, 1200, 495, 255}},
    {"Text2",    TextBox, "",                           {11280, 1200, 2055, 375},  Bold825, kLightBlue},
    {"Label12",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[V]"),                        {13440, 1200, 735, 375},   Bold975},
    {"Label7",   Label,   QT_TRANSLATE_NOOP("Velmaro", "f"),                          {10800, 1680, 255, 255},   Bold975},
    {"Text3",    TextBox, "",                           {11280, 1680, 2055, 375},  Bold825, kLightBlue},
    {"Label8",   Label,   QT_TRANSLATE_NOOP("Velmaro", "[kHz]"),                      {13440, 1680, 735, 255},   Bold975},
    {"Label5",   Label,   QT_TRANSLATE_NOOP("Velmaro", "Δ"),                     {10680, 2160, 135, 255}},
    {"Label11",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Vo"),                         {10800, 2160, 375, 375}},
    {"Text4",    TextBox, "",                           {11280, 2160, 2055, 375},  Bold825, kLightBlue},
    {"Label10",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[mV]"),                       {13440, 2160, 495, 375},   Bold975},
    {"Label17",  Label,   QT_TRANSLATE_NOOP("Velmaro", "R"),                          {10800, 2640, 375, 375},   Bold975},
    {"Text6",    TextBox, "",                           {11280, 2640, 2055, 375},  Bold825, kLightBlue},
    {"Label6",   Label,   QT_TRANSLATE_NOOP("Velmaro", "[kohm]"),                     {13440, 2640, 1095, 375},  Bold975},

    // Result.
    {"Label19",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Progetto > Risultati:"),      {11280, 3240, 2175, 255},  Bold975},
    {"Label22",  Label,   QT_TRANSLATE_NOOP("Velmaro", "C"),                          {10800, 3600, 375, 375},   Bold975},
    {"Label25",  Label,   "",                           {11280, 3600, 2055, 375},  Bold825, kLightBlue},
    {"Label23",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                       {13440, 3600, 495, 375},   Bold975},

    // Beside the result, the real circuit's capacitance for the wanted ripple and the E12 part
    // that keeps it, in the result's colours.
    {"ExactCCaption",    Label, QT_TRANSLATE_NOOP("Velmaro", "C esatta:"),            {14040, 3960, 1335, 255}},
    {"ExactCLabel",      Label, "",                     {14040, 4215, 1335, 375},  Bold825, kLightBlue},
    {"ExactCUnit",       Label, QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                 {15480, 4215, 495, 375},   Bold975},
    {"StandardCCaption", Label, QT_TRANSLATE_NOOP("Velmaro", "C serie E12:"),         {14040, 4680, 1335, 255}},
    {"StandardCLabel",   Label, "",                     {14040, 4935, 1335, 375},  Bold825, kLightBlue},
    {"StandardCUnit",    Label, QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                 {15480, 4935, 495, 375},   Bold975},

    // The filter: its order, the ratio of its second stage and the load, in the column right of
    // the design data, in their colours; the second capacitor's results beside the first's.
    {"FilterDesignCaption", Label,  QT_TRANSLATE_NOOP("Velmaro", "Progetto > filtro:"), {16080, 360, 2415, 255},  Bold975},
    {"OrderCaption",        Label,  QT_TRANSLATE_NOOP("Velmaro", "Ordine:"),        {16080, 780, 1020, 255},   Bold975},
    {"OrderCombo",          Custom, "",                                             {17160, 720, 2055, 375}},
    {"StageRatioCaption",   Label,  QT_TRANSLATE_NOOP("Velmaro", "k:"),             {16080, 1260, 1020, 255},  Bold975},
    {"StageRatioField",     TextBox, QT_TRANSLATE_NOOP("Velmaro", "10"),            {17160, 1200, 2055, 375},  Bold825, kLightBlue},
    {"LoadCaption",         Label,  QT_TRANSLATE_NOOP("Velmaro", "RL"),             {16080, 1740, 1020, 255},  Bold975},
    {"LoadField",           TextBox, "",                                            {17160, 1680, 2055, 375},  Bold825, kLightBlue},
    {"LoadUnit",            Label,  QT_TRANSLATE_NOOP("Velmaro", "[kohm]"),         {19320, 1680, 855, 375},  Bold975},
    {"ExactC2Caption",      Label,  QT_TRANSLATE_NOOP("Velmaro", "C2 esatta:"),     {16080, 3960, 1335, 255}},
    {"ExactC2Label",        Label,  "",                                             {16080, 4215, 1335, 375},  Bold825, kLightBlue},
    {"ExactC2Unit",         Label,  QT_TRANSLATE_NOOP("Velmaro", "[nF]"),           {17520, 4215, 495, 375},   Bold975},
    {"StandardC2Caption",   Label,  QT_TRANSLATE_NOOP("Velmaro", "C2 serie E12:"),  {16080, 4680, 1335, 255}},
    {"StandardC2Label",     Label,  "",                                             {16080, 4935, 1335, 375},  Bold825, kLightBlue},
    {"StandardC2Unit",      Label,  QT_TRANSLATE_NOOP("Velmaro", "[nF]"),           {17520, 4935, 495, 375},   Bold975},

    // The part to buy, between the schematic and the design data: the series and tolerances
    // chosen, the worst case of the standard part and the part that stays within the ripple.
    {"PartCaption",        Label,      QT_TRANSLATE_NOOP("Velmaro", "Componente da acquistare:"), {5280, 360, 3135, 255}, Bold975},
    {"SeriesCaption",      Label,      QT_TRANSLATE_NOOP("Velmaro", "Serie"),                {5280, 780, 1455, 255}},
    {"SeriesCombo",        Custom,     "",                     {6840, 720, 1455, 375}},
    {"CToleranceCaption",  Label,      QT_TRANSLATE_NOOP("Velmaro", "Tolleranza C"),         {5280, 1260, 1455, 255}},
    {"CToleranceCombo",    Custom,     "",                     {6840, 1200, 1455, 375}},
    {"RToleranceCaption",  Label,      QT_TRANSLATE_NOOP("Velmaro", "Tolleranza R"),         {5280, 1740, 1455, 255}},
    {"RToleranceCombo",    Custom,     "",                     {6840, 1680, 1455, 375}},
    {"WorstRippleCaption", Label,      QT_TRANSLATE_NOOP("Velmaro", "Ripple peggiore"),      {5280, 2190, 1455, 255}},
    {"WorstRippleLabel",   Label,      "",                     {6840, 2160, 1455, 375},  Bold825, kLightBlue},
    {"WorstRippleUnit",    Label,      QT_TRANSLATE_NOOP("Velmaro", "[mV]"),                 {8400, 2160, 495, 375},   Bold975},
    {"SafeCCaption",       Label,      QT_TRANSLATE_NOOP("Velmaro", "C sicura:"),            {5280, 2670, 1455, 255}},
    {"SafeCLabel",         Label,      "",                     {6840, 2640, 1455, 375},  Bold825, kLightBlue},
    {"SafeCUnit",          Label,      QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                 {8400, 2640, 495, 375},   Bold975},
    {"SafeC2Caption",      Label,      QT_TRANSLATE_NOOP("Velmaro", "C2 sicura:"),           {5280, 3150, 1455, 255}},
    {"SafeC2Label",        Label,      "",                     {6840, 3120, 1455, 375},  Bold825, kLightBlue},
    {"SafeC2Unit",         Label,      QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                 {8400, 3120, 495, 375},   Bold975},
    {"UseSafeC",           PushButton, QT_TRANSLATE_NOOP("Velmaro", "Usa in verifica"),      {6840, 3600, 1455, 495},  Bold825, kLightBlue},

    // Verification data.
    {"Label35",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Verifica > dati:"),           {1800, 3960, 1575, 255}},
    {"Label36",  Label,   QT_TRANSLATE_NOOP("Velmaro", "E"),                          {1440, 4440, 255, 255},    Bold975},
    {"Text7",    TextBox, "",                           {1800, 4320, 1935, 375},   Bold825, kLightPink},
    {"Label37",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[V]"),                        {3840, 4440, 375, 255},    Bold975},
    {"Label46",  Label,   QT_TRANSLATE_NOOP("Velmaro", "f"),                          {1440, 4920, 135, 255},    Bold975},
    {"Text12",   TextBox, "",                           {1800, 4800, 1935, 375},   Bold825, kLightPink},
    {"Label47",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[kHz]"),                      {3840, 4800, 735, 255},    Bold975},
    {"Label38",  Label,   QT_TRANSLATE_NOOP("Velmaro", "D"),                          {1440, 5400, 255, 255}},
    {"Text8",    TextBox, "",                           {1800, 5280, 1935, 375},   Bold825, kLightPink},
    {"Label39",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[%]"),                        {3840, 5280, 495, 375},    Bold975},
    {"Label40",  Label,   QT_TRANSLATE_NOOP("Velmaro", "R"),                          {1440, 6000, 255, 255},    Bold975},
    {"Text9",    TextBox, "",                           {1800, 5880, 1935, 375},   Bold825, kLightPink},
    {"Label43",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[kohm]"),                     {3840, 5880, 855, 375},    Bold975},
    {"Label41",  Label,   QT_TRANSLATE_NOOP("Velmaro", "C"),                          {1440, 6600, 255, 255},    Bold975},
    {"Text10",   TextBox, "",                           {1800, 6480, 1935, 375},   Bold825, kLightPink},
    {"Label44",  Label,   QT_TRANSLATE_NOOP("Velmaro", "[nF]"),                       {3840, 6480, 495, 375},    Bold975},

    // Run settings.
    {"Label48",  Label,   QT_TRANSLATE_NOOP("Velmaro", "N"),                          {5040, 4320, 255, 255}},
    {"Text13",   TextBox, QT_TRANSLATE_NOOP("Velmaro", "1000"),                       {5400, 4320, 1935, 375},   Bold825, kLightPink},
    {"Label56",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Numero campioni"),            {7440, 4440, 1935, 255}},
    {"Label49",  Label,   QT_TRANSLATE_NOOP("Velmaro", "NP"),                         {5040, 4800, 255, 255}},
    {"Text14",   TextBox, QT_TRANSLATE_NOOP("Velmaro", "10"),                         {5400, 4800, 1935, 375},   Bold825, kLightPink},
    {"Label57",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Numero periodi visualizzati"), {7440, 4920, 2655, 255}},
    {"Label64",  Label,   QT_TRANSLATE_NOOP("Velmaro", "NI"),                         {4920, 5400, 375, 255}},
    {"Text15",   TextBox, QT_TRANSLATE_NOOP("Velmaro", "2000"),                       {5400, 5280, 1935, 375},   Bold825, kLightPink},
    {"Label65",  Label,   QT_TRANSLATE_NOOP("Velmaro", "Numero iterazioni"),          {7560, 5400, 1695, 255}},

    // Push buttons.
    {"Command3", PushButton, QT_TRANSLATE_NOOP("Velmaro", "Dati Esempio"),            {14280, 3000, 1455, 495},  Bold825, kLightBlue},
    {"Command1", PushButton, QT_TRANSLATE_NOOP("Velmaro", "Calcola C"),               {10800, 4320, 2895, 495},  Bold825, kLightBlue},
    {"Command2", PushButton, QT_TRANSLATE_NOOP("Velmaro", "Grafici"),                 {1800, 7560, 1935, 495},   Bold825, kLightPink},
    {"ResponseButton", PushButton, QT_TRANSLATE_NOOP("Velmaro", "Risposta"),          {3960, 7560, 1935, 495},   Bold825, kLightPink},
    {"ChooserButton",  PushButton, QT_TRANSLATE_NOOP("Velmaro", "Scegli filtro…"),    {10800, 4920, 2895, 495},  Bold825, kLightBlue},

    // Legend of the symbols.
    {"Label50",  Label, QT_TRANSLATE_NOOP("Velmaro", "E = ampiezza dell'impulso positivo in ingresso"),                      {5040, 5760, 4335, 255}},
    {"Label51",  Label, QT_TRANSLATE_NOOP("Velmaro", "Vom = tensione continua desiderata in uscita"),                        {5040, 6120, 4095, 255}},
    {"Label52",  Label, QT_TRANSLATE_NOOP("Velmaro", "f = frequenza del segnale in ingresso"),                               {5040, 6480, 3495, 255}},
    {"Label54",  Label, QT_TRANSLATE_NOOP("Velmaro", "DeltaVo = variazione di picco della tensione in uscita"),              {5040, 6840, 4815, 255}},
    {"Label58",  Label, QT_TRANSLATE_NOOP("Velmaro", "D = duty cycle = ton/(ton+toff) = Vom/E"),                             {5040, 7200, 3615, 255}},
    {"Label59",  Label, QT_TRANSLATE_NOOP("Velmaro", "ton  = intervallo di tempo in cui il segnale in ingresso è alto = E"),  {10200, 5760, 5775, 255}},
    {"Label60",  Label, QT_TRANSLATE_NOOP("Velmaro", "toff = intervallo di tempo in cui il segnale in ingresso è basso = 0"), {10200, 6120, 5775, 255}},

    // The filter's second stage and load to verify, in the free column right of the legend.
    {"FilterVerificationCaption", Label, QT_TRANSLATE_NOOP("Velmaro", "Verifica > filtro:"), {16080, 5520, 2055, 255}},
    {"R2Caption", Label,   QT_TRANSLATE_NOOP("Velmaro", "R2"),      {16080, 6000, 375, 255},   Bold975},
    {"R2Field",   TextBox, "",                                      {16560, 5880, 1935, 375},  Bold825, kLightPink},
    {"R2Unit",    Label,   QT_TRANSLATE_NOOP("Velmaro", "[kohm]"),  {18600, 5880, 855, 375},   Bold975},
    {"C2Caption", Label,   QT_TRANSLATE_NOOP("Velmaro", "C2"),      {16080, 6480, 375, 255},   Bold975},
    {"C2Field",   TextBox, "",                                      {16560, 6360, 1935, 375},  Bold825, kLightPink},
    {"C2Unit",    Label,   QT_TRANSLATE_NOOP("Velmaro", "[nF]"),    {18600, 6360, 495, 375},   Bold975},
    {"RLCaption", Label,   QT_TRANSLATE_NOOP("Velmaro", "RL"),      {16080, 6960, 375, 255},   Bold975},
    {"RLField",   TextBox, "",                                      {16560, 6840, 1935, 375},  Bold825, kLightPink},
    {"RLUnit",    Label,   QT_TRANSLATE_NOOP("Velmaro", "[kohm]"),  {18600, 6840, 855, 375},   Bold975},

    // Static notes.
    {"Label66",  Label, QT_TRANSLATE_NOOP("Velmaro", "Attendere!!"),                  {360, 7680, 1335, 255}},
    {"Label67",  Label, QT_TRANSLATE_NOOP("Velmaro", "www.velmaro.org"),              {13560, 7200, 1575, 285},  Regular825, kLightCyan},
};
// clang-format on
} // namespace form1_table

using form1_table::kForm1Rows;

// The main window's fields and labels, as the code names them: checked against the table when
// the program is compiled.
using Form1Field = app::ControlName<kForm1Rows, app::ControlKind::TextBox>;
using Form1Label = app::ControlName<kForm1Rows, app::ControlKind::Label>;
// The lists: the combo boxes the window makes itself.
using Form1Choice = app::ControlName<kForm1Rows, app::ControlKind::Custom>;

inline std::span<const app::ControlRow> Form1Rows() { return kForm1Rows; }

// The filter's order, as OrderCombo offers it; it starts at the first order.
inline constexpr const char* kOrderTexts[] = {QT_TRANSLATE_NOOP("Velmaro", "1 (RC)"),
                                             QT_TRANSLATE_NOOP("Velmaro", "2 (RC-RC)")};

// One stop of the keyboard's walk through the window: a control that takes the focus and, for a
// field, the push button that Enter or Return in it runs.
struct FocusStop {
    const char* control;
    const char* enterRuns = nullptr;
};

// The walk that Tab follows, in order; Shift+Tab walks it back, and both wrap around.
std::span<const FocusStop> Form1FocusOrder();

// Where the focus is when the window opens.
inline constexpr char kForm1FirstFocus[] = "Text1";

// The names a screen reader gives the fields and the result label.
std::span<const app::NamingRow> Form1Names();

} // namespace main_window
