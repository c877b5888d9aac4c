// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trade-off of each candidate filter: as C sweeps continuously over four decades around the
// part chosen (C2 = C/k), the worst-case ripple falls and the settling grows. The curves as data,
// their drawing (the same on the screen, in a PNG and in an SVG), and their table as CSV.

#include "app/palette.h"
#include "chooser_window/filter_choice.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace chooser_window {

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

// The picture of the curves on a canvas of the size given: logarithmic axes, settling in ms
// across, worst ripple in mV upwards, a dot at each chosen part, the goals as a dashed box
// (ripple within 1 LSB and settling within the limit; one box per candidate, in its colour, when
// a load makes their LSBs differ), and the legend on the right.
void DrawTradeOff(QPainter& painter, QSize size, const TradeOffData& data);

// The same picture as an image of that size.
QImage TradeOffImage(const TradeOffData& data, QSize size);

// The picture in the format its name's suffix asks for: SVG vector lines for ".svg", otherwise
// an image (PNG, JPEG or BMP; PNG for any other name). Empty when saved, otherwise the message
// saying why not.
QString SaveTradeOffPicture(const QString& path, const TradeOffData& data, QSize size);

// The curves as a table: the header "Filtro", "C [nF]", "C2 [nF]", "Ripple peggiore [mV]",
// "Assestamento ±½ LSB [ms]", then one row per point of each curve in turn; the candidate's name in
// double quotes, each number in the fewest digits that read back to the same 64-bit value with
// decimalPoint for its point (C2 empty for one RC), separated by CsvSeparator(decimalPoint),
// each row ending with a newline.
QString TradeOffTable(const TradeOffData& data, const QString& decimalPoint);

// The table written to a file in UTF-8 through a QSaveFile. Empty when saved, otherwise the
// message saying why not.
QString WriteTradeOffCsv(const QString& path, const TradeOffData& data, const QString& decimalPoint);

} // namespace chooser_window
