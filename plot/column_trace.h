// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A trace drawn as the lowest to the highest value of each pixel column, whichever plot draws
// it: the rows a column's span covers, the spans of one column written once, the lines that join
// a column to the next, and where these lines go, pixels of a picture or vector lines on a
// painter. Positions are in pixels of the picture; a line includes both its end pixels.

#include "app/palette.h"

#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QSize>

#include <algorithm>

class QPainter;

namespace plot {

// Rows of a dashed line: this many lit, then as many left out.
inline constexpr int kDashLength = 4;

// Where the lines of a trace go, one colour at a time.
class LineSink {
public:
    virtual void SetColour(app::Rgb colour, bool dashed) = 0;
    virtual void Line(QPoint from, QPoint to) = 0;

protected:
    ~LineSink() = default;
};

// One path per colour on a painter, stroked one pixel wide with square ends, so that a line
// covers the pixels a pixel pen would light and a single pixel is a square, at any scale.
class PainterSink final : public LineSink {
public:
    explicit PainterSink(QPainter& painter) : painter_(painter) {}
    ~PainterSink() { Flush(); }

    void SetColour(app::Rgb colour, bool dashed) override;
    void Line(QPoint from, QPoint to) override;
    void Flush();

private:
    QPainter& painter_;
    QPainterPath path_;
    app::Rgb colour_ = app::kPaletteBlack;
    bool dashed_ = false;
};

// The whole pixel nearest to a position; halves round up. Positions far outside any picture are
// all the same: off it. Clamping keeps the integer conversion defined for any position,
// infinities and a position that is not a number included.
inline int NearestPixel(double position) {
    const double limit = 1e6;
    if (!(position > -limit)) // also catches NaN
        return -int(limit);
    if (position > limit)
        return int(limit);
    // floor(position + 0.5) without a library call: truncation, one down for negatives.
    const double half = position + 0.5;
    const int truncated = int(half);
    return truncated > half ? truncated - 1 : truncated;
}

// The row nearest to y once y is held within a pixel of the rows top to bottom, so that a value
// far off them, or one that is not a number, costs nothing; halves round down the picture.
inline int ClippedRow(double y, int top, int bottom) {
    if (!(y > top - 1)) // also a y that is not a number
        return top - 1;
    return NearestPixel(std::min(y, double(bottom + 1)));
}

// The span of column x between rows y1 and y2 (either order), each held within a pixel of the
// rows top to bottom.
template <class Sink>
void ColumnSpan(Sink& sink, int x, double y1, double y2, int top, int bottom) {
    sink.Line(QPoint(x, ClippedRow(y1, top, bottom)), QPoint(x, ClippedRow(y2, top, bottom)));
}

// A trace as the lowest to the highest value of each column from firstColumn on: ranges[c]
// (anything with a low and a high) for column firstColumn + c, on the rows rowOf gives, for
// columns columns.
template <class Sink, class Ranges, class RowOf>
void DrawColumnRanges(Sink& sink, const Ranges& ranges, int firstColumn, int columns,
                      const RowOf& rowOf, int top, int bottom) {
    for (int c = 0; c < columns; ++c)
        ColumnSpan(sink, firstColumn + c, rowOf(ranges[c].high), rowOf(ranges[c].low), top, bottom);
}

// The vertical spans of one trace, written when the next span cannot join them: spans of the
// same column that touch or overlap become one. All of a trace has one colour, so the order of
// its pixels does not matter. Sink: anything with Line(QPoint, QPoint).
template <class Sink> class ColumnSpans {
public:
    explicit ColumnSpans(Sink& sink) : sink_(sink) {}
    ~ColumnSpans() { Flush(); }
    ColumnSpans(const ColumnSpans&) = delete;
    ColumnSpans& operator=(const ColumnSpans&) = delete;

    // Rows top to bottom of column, top ≤ bottom.
    void Add(int column, int top, int bottom) {
        if (pending_ && column == column_ && top <= bottom_ + 1 && bottom >= top_ - 1) {
            top_ = std::min(top_, top);
            bottom_ = std::max(bottom_, bottom);
            return;
        }
        Flush();
        pending_ = true;
        column_ = column;
        top_ = top;
        bottom_ = bottom;
    }

    void Flush() {
        if (pending_)
            sink_.Line(QPoint(column_, top_), QPoint(column_, bottom_));
        pending_ = false;
    }

private:
    Sink& sink_;
    bool pending_ = false;
    int column_ = 0, top_ = 0, bottom_ = 0;
};

// A line between positions in pixels, clipped to a picture of size and a pixel around it before
// it is rounded, so that an end far off the picture costs nothing.
void ClippedLine(LineSink& sink, QPointF from, QPointF to, QSize size);

} // namespace plot
