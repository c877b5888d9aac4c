// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The group "Componente da acquistare:" of the main window: the series and the two tolerances
// the user picks, and what the group shows for the last accepted design. The arithmetic is the
// engine's (part_to_buy.h); here it becomes texts.

#include "app/palette.h"
#include "engine/part_to_buy.h"
#include "main_window/form1_controls.h"
#include "main_window/main_window_view.h"

#include <QString>

#include <optional>
#include <span>

namespace main_window {

// The texts each list offers, in order, and the stable texts a design file keeps its choice by
// (the per cent number of a tolerance), whatever the captions.
inline constexpr const char* kSeriesTexts[] = {"E6", "E12", "E24", "E96"};
inline constexpr const char* kCToleranceTexts[] = {"±5 %", "±10 %", "±20 %"};
inline constexpr const char* kCToleranceKeys[] = {"5", "10", "20"};
inline constexpr const char* kRToleranceTexts[] = {"±1 %", "±5 %"};
inline constexpr const char* kRToleranceKeys[] = {"1", "5"};

// A list of the group: its combo and caption, its key in the design file's "part", the texts it
// offers, the file's texts for them, and the position it starts at.
struct PartCombo {
    Form1Choice combo;
    Form1Label caption;
    const char* fileKey;
    std::span<const char* const> texts;
    std::span<const char* const> fileTexts;
    int first;
};

// SeriesCombo (E12 at start), CToleranceCombo (±10 %) and RToleranceCombo (±1 %), in this order.
inline constexpr PartCombo kPartCombos[] = {
    {kSeriesList, kSeriesCaption, "series", kSeriesTexts, kSeriesTexts, 1},
    {kCToleranceList, kCToleranceCaption, "CTolerance", kCToleranceTexts, kCToleranceKeys, 1},
    {kRToleranceList, kRToleranceCaption, "RTolerance", kRToleranceTexts, kRToleranceKeys, 0},
};

// What the three lists stand for, from the positions chosen in them; a position outside a
// list stands for the one it starts at.
struct PartChoice {
    engine::Series series;
    engine::PartTolerances tolerances;
};
PartChoice PartChoiceAt(int series, int capacitorTolerance, int resistorTolerance);

// The part to buy: C, and C2 for a second stage, in nF.
struct PartPair {
    double nanofarads;
    std::optional<double> secondNanofarads;
};

// The group's texts and state for a design, or for none before any was accepted. The first
// design, one RC without a load, takes the one capacitor's closed forms (part_to_buy.h); any
// other the circuit's exact ripple at every tolerance corner and the pair of parts
// (filter_design.h).
struct PartGroupTexts {
    QString standardCaption;       // "C serie E12:", following the series
    QString standardC2Caption;     // "C2 serie E12:"
    QString standardC;             // StandardCLabel, nF
    QString standardC2;            // StandardC2Label, nF: a second stage's
    QString worstRipple;           // WorstRippleLabel, mV
    app::Rgb worstRippleColour;    // black within ΔVo, the warning red above
    QString safeC;                 // SafeCLabel, nF
    QString safeC2;                // SafeC2Label, nF
    std::optional<PartPair> safe;  // what "Usa in verifica" writes; none disables it
};
PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice);

// "Usa in verifica": the safe C into the verification C field (Text10), and C2 into C2Field for
// a second stage, as "Calcola C" writes those fields: "0.000E+00" with "." whatever the locale,
// in palette blue until "Grafici" takes them over.
void UseInVerification(MainWindowView& view, const PartPair& safe);

} // namespace main_window
