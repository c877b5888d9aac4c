// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The response window's controls, as they stand from start to end: the time plot above the
// frequency plot, each with its cursors' readings under it and its controls and figures in the
// column on the right.

#include "app/control_table.h"

#include <QtGlobal>

namespace response_window {

namespace response_table {
using enum app::ControlKind;
using enum app::ControlFont;
using app::kLightPink, app::kLightYellow, app::kWarningColour;

inline constexpr int kResponseWidthTwips = 19350;
inline constexpr int kResponseHeightTwips = 10320;

// clang-format off
inline constexpr app::ControlRow kResponseRows[] = {
    // The time plot and, beside it, the step's start, the band and the settling.
    {"StepPlot",                   Custom,  "",                 {120, 120, 14400, 4500},     Bold825, kLightYellow},
    {"StepCursorLabel",            Label,   "",                 {120, 4680, 14400, 420}},
    {"StepCaption",                Label,   QT_TRANSLATE_NOOP("Velmaro", "Risposta al gradino:"),  {14760, 240, 4440, 255},   Bold975},
    {"FromDutyCaption",            Label,   QT_TRANSLATE_NOOP("Velmaro", "Da D:"),                 {14760, 765, 1800, 255}},
    {"FromDutyField",              TextBox, QT_TRANSLATE_NOOP("Velmaro", "0"),                     {16590, 690, 1260, 375},   Bold825, kLightPink},
    {"FromDutyUnit",               Label,   QT_TRANSLATE_NOOP("Velmaro", "[%]"),                   {17910, 765, 1350, 255}},
    {"BitsCaption",                Label,   QT_TRANSLATE_NOOP("Velmaro", "Risoluzione DAC:"),      {14760, 1245, 1800, 255}},
    {"BitsField",                  TextBox, "",                 {16590, 1170, 1260, 375},    Bold825, kLightPink},
    {"BitsUnit",                   Label,   QT_TRANSLATE_NOOP("Velmaro", "[bit]"),                 {17910, 1245, 1350, 255}},
    {"StepBandCaption",            Label,   QT_TRANSLATE_NOOP("Velmaro", "Banda ±"),               {14760, 1845, 1800, 255}},
    {"StepBandLabel",              Label,   "",                 {16590, 1770, 1260, 375},    Bold825, kLightYellow},
    {"StepBandUnit",               Label,   QT_TRANSLATE_NOOP("Velmaro", "[V]"),                   {17910, 1845, 1350, 255}},
    {"StepSettlingCaption",        Label,   QT_TRANSLATE_NOOP("Velmaro", "Assestamento ±1%"),          {14760, 2325, 1800, 255}},
    {"StepSettlingLabel",          Label,   "",                 {16590, 2250, 1260, 375},    Bold825, kLightYellow},
    {"StepSettlingUnit",           Label,   QT_TRANSLATE_NOOP("Velmaro", "[ms]"),                  {17910, 2325, 1350, 255}},
    {"StepSettlingPeriodsCaption", Label,   QT_TRANSLATE_NOOP("Velmaro", "Assestamento ±1%"),          {14760, 2805, 1800, 255}},
    {"StepSettlingPeriodsLabel",   Label,   "",                 {16590, 2730, 1260, 375},    Bold825, kLightYellow},
    {"StepSettlingPeriodsUnit",    Label,   QT_TRANSLATE_NOOP("Velmaro", "[periodi]"),             {17910, 2805, 1350, 255}},
    {"StepHint",                   Label,   QT_TRANSLATE_NOOP("Velmaro", "Invio in un campo ricalcola la risposta."),
                                                                {14760, 3330, 4440, 255},    Regular825},
    // Shown only where the settled ripple alone is wider than the band.
    {"StepRippleWiderThanBandLabel", Label, "",                 {14760, 3720, 4440, 1200},   Regular825, std::nullopt, kWarningColour},

    // The frequency plot and, beside it, the filter's figures.
    {"BodePlot",                   Custom,  "",                 {120, 5220, 14400, 4500},    Bold825, kLightYellow},
    {"BodeCursorLabel",            Label,   "",                 {120, 9780, 14400, 420}},
    {"BodeCaption",                Label,   QT_TRANSLATE_NOOP("Velmaro", "Risposta in frequenza:"), {14760, 5340, 4440, 255}, Bold975},
    {"BodeCutoffCaption",          Label,   QT_TRANSLATE_NOOP("Velmaro", "fc"),                    {14760, 5865, 1800, 255}},
    {"BodeCutoffLabel",            Label,   "",                 {16590, 5790, 1260, 375},    Bold825, kLightYellow},
    {"BodeCutoffUnit",             Label,   QT_TRANSLATE_NOOP("Velmaro", "[Hz]"),                  {17910, 5865, 1350, 255}},
    {"BodeAttenuationCaption",     Label,   QT_TRANSLATE_NOOP("Velmaro", "Attenuazione a f"),      {14760, 6345, 1800, 255}},
    {"BodeAttenuationLabel",       Label,   "",                 {16590, 6270, 1260, 375},    Bold825, kLightYellow},
    {"BodeAttenuationUnit",        Label,   QT_TRANSLATE_NOOP("Velmaro", "[dB]"),                  {17910, 6345, 1350, 255}},
    {"BodeSlopeCaption",           Label,   QT_TRANSLATE_NOOP("Velmaro", "Pendenza"),              {14760, 6825, 1800, 255}},
    {"BodeSlopeLabel",             Label,   "",                 {16590, 6750, 1260, 375},    Bold825, kLightYellow},
    {"BodeSlopeUnit",              Label,   QT_TRANSLATE_NOOP("Velmaro", "[dB/decade]"),           {17910, 6825, 1350, 255}},

    // How to measure, for both plots.
    {"MeasureHint",                Label,   QT_TRANSLATE_NOOP("Velmaro", "Sposta il puntatore su un grafico: comparirà il valore in quel punto. Rotella: ingrandisci. Trascina: sposta. Clic: cursore A, Maiusc+clic: cursore B. Doppio clic o Home: tutto il grafico. Tasto destro: copia e salva."),
                                                                {14760, 7590, 4440, 2400},   Regular825},
};
// clang-format on
} // namespace response_table

using response_table::kResponseHeightTwips;
using response_table::kResponseRows;
using response_table::kResponseWidthTwips;

// The response window's fields and labels, as the code names them: checked against the table
// when the program is compiled.
using ResponseField = app::ControlName<kResponseRows, app::ControlKind::TextBox>;
using ResponseLabel = app::ControlName<kResponseRows, app::ControlKind::Label>;

} // namespace response_window
