// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the filter chooser computes and shows, apart from any widget: the design it takes from
// the main window, its own two settings and their messages, the table's texts, the row it
// selects, and the parts "Usa in verifica" writes. The arithmetic is the engine's
// (filter_chooser.h); here it becomes texts.

#include "engine/filter_chooser.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace chooser_window {

// The design data the chooser takes from the main window, in SI units, with the series and the
// tolerances chosen in its part group.
struct ChooserDesign {
    double e = 0;             // V
    double f = 0;             // Hz
    double r = 0;             // ohm
    std::optional<double> rl; // ohm, none: no load
    engine::Series series = engine::Series::E12;
    engine::PartTolerances tolerances{0.1, 0.01};
    std::optional<double> vom = std::nullopt; // V, the output wanted; none: no D to write
};

// The window's own settings: the converter's resolution and the longest settling allowed.
struct ChooserLimits {
    int bits = 10;
    std::optional<double> maxSettlingSeconds; // s, none: no limit
};

// The engine's input for a design at n bits.
engine::ChooserInput InputOf(const ChooserDesign& design, int bits);

// The settings from the texts of ChooserBitsField and ChooserTimeField, or the one message that
// refuses them: the characters of both first (the time's only when it holds text), then the
// resolution, a whole number from 1 to 24, then the time, above zero.
std::variant<ChooserLimits, QString> ReadLimits(const QString& bitsText, const QString& timeText);

// "1 (RC)" for one RC (k empty), "2 (RC-RC), k = 3" for two stages.
QString FilterName(std::optional<double> k);

// The table's column headings, in order.
QStringList ChooserHeadings();

// The table's columns, in the order of the headings.
enum class ChooserColumn { Filter, R2, C2, C, WorstRipple, Settling, Verdict, Count };

// One row of the table as shown: numbers in "0.00E+00" with the locale's separator, empty where
// a value does not apply (R2 and C2 of one RC) or was not found.
struct ChooserRow {
    QString cells[int(ChooserColumn::Count)];
    bool tooSlow = false;     // settles later than the limit allows
    bool unreachable = false; // its full scale E·g is below Vom: never selected, never used

    const QString& operator[](ChooserColumn column) const { return cells[int(column)]; }
};

// The duty cycle that takes the output of the candidate with the ratio k (none: one RC) to Vom:
// D = Vom/(E·g), g = RL/(R + k·R + RL) its divider (1 without a load), as "Calcola C" computes
// it. Empty when the design has no Vom or its values are out of range. A D of 1 or more means
// that Vom cannot be reached.
std::optional<double> DutyCycleFor(const ChooserDesign& design, std::optional<double> k);

// A choice made: the design and settings it was made for, the engine's five candidates (one RC
// first), their rows, and the row that meets the limit with the shortest settling (the first of
// equals) among those that reach Vom, if any.
struct FilterChoice {
    ChooserDesign design;
    ChooserLimits limits;
    std::vector<engine::FilterCandidate> candidates;
    std::vector<ChooserRow> rows;
    std::optional<std::size_t> best;
};

FilterChoice ChooseFilter(const ChooserDesign& design, const ChooserLimits& limits);

// What "Usa in verifica" writes into the verification fields, in SI units: R and C always, R2 and
// C2 for two stages, RL with a load; and, when the design has a Vom, the pulse train that takes
// this filter's output to it.
struct ChosenFilter {
    double r = 0;
    double c = 0;
    std::optional<double> r2;
    std::optional<double> c2;
    std::optional<double> rl;
    struct Pulse {
        double e = 0; // V, the design's
        double f = 0; // Hz, the design's
        double d = 0; // fraction, DutyCycleFor the row
    };
    std::optional<Pulse> pulse = std::nullopt;
};

// The parts of one row; empty for a row out of range, whose parts were not found, or that cannot
// reach Vom.
std::optional<ChosenFilter> ChosenAt(const FilterChoice& choice, std::size_t row);

// The line above the table: the design the candidates were chosen for.
QString DesignText(const ChooserDesign& design);

// The line under the table: empty when a row is selected, otherwise why none is.
QString StatusText(const FilterChoice& choice);

} // namespace chooser_window
