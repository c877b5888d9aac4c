// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trade-off of each candidate filter: as C sweeps continuously over four decades around the
// part chosen (C2 = C/k), the worst-case ripple falls and the settling grows. The curves as data,
// and their table as CSV. Their drawing is in trade_off_drawing.h.

#include "app/palette.h"
#include "chooser_window/filter_choice.h"

#include <QString>

#include <cmath>
#include <optional>
#include <vector>

namespace chooser_window {

// Whether a value has a place on the plot's logarithmic axes: positive and finite.
inline bool Plottable(double value) { return value > 0 && std::isfinite(value); }

// C sweeps from the part chosen / 100 to the part chosen × 100, this many points a decade.
inline constexpr int kSweepDecades = 4;
inline constexpr int kPointsPerDecade = 25;

// One point of a curve: the capacitors (F; c2 empty for one RC) and what they give.
struct CurvePoint {
    double c = 0;
    std::optional<double> c2;
    double worstRipple = 0;     // V, over the tolerance corners at D = 50 %
    double settlingSeconds = 0; // s, to ½ LSB after a full-scale step, at nominal
};

struct TradeOffCurve {
    QString name; // as the table's first column names the candidate
    app::Rgb colour;
    std::vector<CurvePoint> points;   // in the order of C; points that cannot be represented left out
    std::optional<CurvePoint> chosen; // the parts of the table's row, with the series' C2
    std::optional<double> lsb;        // V, the candidate's 1 LSB: the goal for its ripple
};

struct TradeOffData {
    std::vector<TradeOffCurve> curves; // one per candidate, in the table's order
    std::optional<double> maxSettlingSeconds;
};

// The curves of a choice's candidates.
TradeOffData TradeOffOf(const FilterChoice& choice);

// The curves as a table: the header "Filtro", "C [nF]", "C2 [nF]", "Ripple peggiore [mV]",
// "Assestamento ±½ LSB [ms]", then one row per point of each curve in turn; the candidate's name in
// double quotes, each number in the fewest digits that read back to the same 64-bit value with
// decimalPoint for its point (C2 empty for one RC), separated by CsvSeparator(decimalPoint),
// each row ending with a newline.
QString TradeOffTable(const TradeOffData& data, const QString& decimalPoint);

// The table written to a file in UTF-8 through a QSaveFile (plot/files.h). Empty when saved, otherwise the
// message saying why not.
QString WriteTradeOffCsv(const QString& path, const TradeOffData& data, const QString& decimalPoint);

} // namespace chooser_window
