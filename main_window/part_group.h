// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The group "Componente da acquistare:" of the main window: the series and the two tolerances
// the user picks, and what the group shows for the last accepted design. The arithmetic is the
// engine's (part_to_buy.h); here it becomes texts.

#include "app/palette.h"
#include "engine/part_to_buy.h"
#include "main_window/main_window_view.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace main_window {

// A combo of the group: its name and its caption's, the texts it offers in order (a design file
// keeps these texts) and the position it starts at.
struct PartCombo {
    const char* name;
    const char* caption;
    QStringList texts;
    int first;
};

// SeriesCombo (E12 at start), CToleranceCombo (±10 %) and RToleranceCombo (±1 %), in this order.
const std::array<PartCombo, 3>& PartCombos();

// What the three combos stand for, from the positions chosen in them; a position outside a
// combo's list stands for the one it starts at.
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
