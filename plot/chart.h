// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart as a value: what it shows along its horizontal axis, how it is painted for a span of
// that axis with two cursors, what the pointer reads on it, and its data as a table. The plot
// widget (chart_plot.h) holds one and measures on it; the same painting makes the picture on
// show, the copy and the SVG file. Beside it, what every chart shares in its drawing: where the
// data go in the picture, the colours, and the painter of frames, grid lines, labels, marks,
// cursors and min-max columns.

#include "app/palette.h"
#include "plot/column_trace.h"
#include "plot/files.h"
#include "plot/span.h"
#include "plot/ticks.h"

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QPainter;

namespace plot {

inline constexpr app::Rgb kTraceColour = app::kBlue;                 // what the circuit does
inline constexpr app::Rgb kMarkColour = app::MakeRgb(64, 64, 64);    // its figures: mean, band…
inline constexpr app::Rgb kMeanColour = app::MakeRgb(255, 128, 0);    // the mean response, thin
inline constexpr app::Rgb kGridColour = app::MakeRgb(221, 221, 170); // on the light yellow
inline constexpr app::Rgb kMinorGridColour = app::MakeRgb(238, 238, 184);
// The cursors' colour, used by no trace: A is drawn solid, B dashed.
inline constexpr app::Rgb kCursorColour = app::MakeRgb(80, 80, 80);

class Chart {
public:
    virtual ~Chart() = default;

    // The horizontal axis: [0, whole] in the chart's unit, and the shortest span to zoom to.
    virtual SpanLimits Limits() const = 0;

    // The chart over the view's span with its cursors, on a picture of size pixels (the
    // background included), one painter unit a pixel.
    virtual void Paint(QPainter& painter, QSize size, const AxisView& view) const = 0;

    // The tooltip for the pointer at position along the axis, with the digits that tell two
    // columns of the span apart (columns: the data area's width); none when not finite.
    virtual std::optional<QString> Reading(long double position, const AxisSpan& span,
                                           int columns) const = 0;

    // The cursors' readings, with the locale's decimal separator; empty with no cursor.
    virtual QString CursorText(const AxisView& view, int columns) const = 0;

    // The data of the span on show as a table: a header row, then its rows, the fields separated
    // by separator, numbers in the fewest digits that read back to the same 64-bit value with
    // decimalPoint; each row ends with a newline. False when the sink refused a piece.
    virtual bool WriteTable(const AxisSpan& span, int columns, const std::string& separator,
                            const std::string& decimalPoint, const CsvSink& sink) const = 0;

    // The title of its SVG file.
    virtual QString Title() const = 0;
};

// ---- What both plots share in their drawing --------------------------------------------------

// Where a plot's data go in its picture: margins left and right for the values' labels, above
// for the axes' titles, below for the horizontal axis's labels.
QRect DataArea(QSize picture);

// The column of the data area (0 … width − 1) at which a position of the span is drawn; −1 or
// width when it lies off the area to the left or right.
int ColumnOf(long double position, const AxisSpan& span, int width);

// The position at the start of column c of a data area width columns wide.
inline long double ColumnStart(const AxisSpan& span, int c, int width) {
    return span.start + span.length * c / width;
}

// A value range for a plot's rows: low and high widened by a share of their difference on each
// side, and around a single value by a share of its size (or by 1 for 0).
struct ValueRange {
    double low = 0, high = 1;
    // The row of value in an area: its bottom row for low, its top row for high.
    double Row(double value, const QRect& area) const {
        return area.bottom() - (value - low) / (high - low) * (area.height() - 1);
    }
};
ValueRange PaddedRange(double low, double high, double share);

// The frame of the data area and the value labels of the left (or right) axis at ticks, each
// value's text from text; the horizontal grid lines at them when grid.
class ChartPainter {
public:
    ChartPainter(QPainter& painter, QSize size);
    QPainter& Painter() { return painter_; }
    const QRect& Area() const { return area_; }

    void Background(app::Rgb colour);
    // A line through the centres of the pixels given, in colour, solid or dashed.
    void Line(double x1, double y1, double x2, double y2, app::Rgb colour, bool dashed = false);
    // The pixels of picture column x from row y1 to row y2 (rounded, either order, one pixel at
    // least), in colour.
    void Bar(int x, double y1, double y2, app::Rgb colour);
    // A vertical line over the whole area at column, in colour.
    void Column(int column, app::Rgb colour, bool dashed = false);
    // Text in the program's small font, in rect with alignment.
    void Text(const QRect& rect, int alignment, const QString& text,
              app::Rgb colour = app::kPaletteBlack);
    // A value label at row y beside the area, on its left or right, in colour.
    void ValueLabel(double y, const QString& text, bool right,
                    app::Rgb colour = app::kPaletteBlack);
    // A label of the horizontal axis under column x.
    void AxisLabel(int x, const QString& text);
    // The axes' titles: above the area on its left and right, and that of the horizontal axis
    // right of its labels.
    void Titles(const QString& left, const QString& right, const QString& below);
    // A mark's name beside a vertical line at column x, at the top of the area.
    void MarkName(int x, const QString& text);
    // The frame of the area.
    void Frame();
    // The cursors of view over span, A solid and B dashed, in the cursors' colour.
    void Cursors(const AxisView& view, const AxisSpan& span);
    // A trace as the lowest to the highest value of each column of the area, from its left edge:
    // ranges[c] (anything with a low and a high) for column c, on the rows given; neighbouring
    // columns whose ranges share an instant join.
    template <class Ranges>
    void ColumnTrace(const Ranges& ranges, const ValueRange& rows, app::Rgb colour) {
        const BarSink sink{painter_, QColor::fromRgb(colour)};
        DrawColumnRanges(
            sink, ranges, area_.left(), std::min(int(std::size(ranges)), area_.width()),
            [&](double value) { return rows.Row(value, area_); }, area_.top(), area_.bottom());
    }

private:
    // Columns of pixels in one colour, filled as rectangles: the same pixels at any scale as the
    // plot's other lines.
    struct BarSink {
        QPainter& painter;
        QColor colour;
        void Line(QPoint from, QPoint to) const;
    };

    QPainter& painter_;
    QSize size_; // the picture, in the painter's units
    QRect area_;
};

// ---- The legend ----------------------------------------------------------------------------

// One row of a legend: a short stretch of line in pen, or with dot a dot of that colour, then its
// caption; gap is the share of a row left empty above it.
struct LegendRow {
    QPen pen;
    std::optional<QColor> dot;
    QString caption;
    double gap = 0;
};

inline constexpr int kLegendRowHeight = 18;
inline constexpr int kLegendSample = 26; // the stretch of line, in pixels
inline constexpr double kDotRadius = 4.5;

// A dot with a black edge, filled with colour.
void DrawDot(QPainter& painter, QPointF at, const QColor& colour);

// The rows top down from at, in the painter's font, the captions in black.
void DrawLegend(QPainter& painter, QPointF at, std::span<const LegendRow> rows);

} // namespace plot
