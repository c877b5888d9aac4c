// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The group "Componente da acquistare:" of the main window: the series and the two tolerances
// the user picks, and what the group shows for the last accepted design. The arithmetic is the
// engine's (part_to_buy.h); here it becomes texts.

#include "app/palette.h"
#include "engine/part_to_buy.h"
#include "main_window/main_window_view.h"

#include <QString>

#include <optional>
#include <span>

namespace main_window {

// The texts each list offers, in order; a design file keeps a choice by its text.
inline constexpr const char* kSeriesTexts[] = {"E6", "E12", "E24", "E96"};
inline constexpr const char* kCToleranceTexts[] = {"±5 %", "±10 %", "±20 %"};
inline constexpr const char* kRToleranceTexts[] = {"±1 %", "±5 %"};

// A list of the group: its combo and caption, its key in the design file's "part", the texts it
// offers and the position it starts at.
struct PartCombo {
    Form1Choice combo;
    Form1Label caption;
    const char* fileKey;
    std::span<const char* const> texts;
    int first;
};

// SeriesCombo (E12 at start), CToleranceCombo (±10 %) and RToleranceCombo (±1 %), in this order.
inline constexpr PartCombo kPartCombos[] = {
    {"SeriesCombo", "SeriesCaption", "series", kSeriesTexts, 1},
    {"CToleranceCombo", "CToleranceCaption", "CTolerance", kCToleranceTexts, 1},
    {"RToleranceCombo", "RToleranceCaption", "RTolerance", kRToleranceTexts, 0},
};

// What the three lists stand for, from the positions chosen in them; a position outside a
// list stands for the one it starts at.
struct PartChoice {
    engine::Series series;
    engine::PartTolerances tolerances;
};
PartChoice PartChoiceAt(int series, int capacitorTolerance, int resistorTolerance);

// The group's texts and state for a design, or for none before any was accepted.
struct PartGroupTexts {
    QString standardCaption;              // "C serie E12:", following the series
    QString standardC;                    // StandardCLabel, nF
    QString worstRipple;                  // WorstRippleLabel, mV
    app::Rgb worstRippleColour;           // black within ΔVo, the warning red above
    QString safeC;                        // SafeCLabel, nF
    std::optional<double> safeNanofarads; // what "Usa in verifica" writes; none disables it
};
PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice);

// "Usa in verifica": the safe C into the verification C field (Text10), as "Calcola C" writes
// that field: "0.000E+00" with "." whatever the locale, in palette blue until "Grafici" takes
// it over.
void UseInVerification(MainWindowView& view, double safeNanofarads);

} // namespace main_window
