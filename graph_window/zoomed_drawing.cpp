// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/zoomed_drawing.h"

#include "graph_window/plot_picture.h"
#include "graph_window/plot_view.h"
#include "graph_window/simulate_and_plot.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace graph_window {

namespace {

using plot::kDashLength;
using plot::LineSink;

// Lines of one colour as the pixels of a picture, as PixelPen draws them.
class PixelSink final : public LineSink {
public:
    explicit PixelSink(PlotPicture& picture) : picture_(picture) {}

    void SetColour(app::Rgb colour, bool dashed) override {
        pen_.emplace(picture_.Pen(colour));
        dashed_ = dashed;
    }
    void Line(QPoint from, QPoint to) override {
        if (!dashed_ || from.x() != to.x())
            return pen_->Line(from, to);
        // Only the cursors are dashed, and they are columns.
        const int top = std::min(from.y(), to.y()), bottom = std::max(from.y(), to.y());
        for (int row = top; row <= bottom; row += 2 * kDashLength)
            pen_->Line(QPoint(from.x(), row),
                       QPoint(from.x(), std::min(row + kDashLength - 1, bottom)));
    }

private:
    PlotPicture& picture_;
    std::optional<PixelPen> pen_;
    bool dashed_ = false;
};

// The span across the picture's columns: column c holds the samples whose positions lie in
// [c − 0.5, c + 0.5). Positions are taken from the first sample at or before the left edge, so
// that they keep a fraction of a sample's precision however late the span lies.
class SpanColumns {
public:
    SpanColumns(TimeSpan span, std::int32_t N, std::int32_t NP, int width)
        : N_(N), last_(std::int64_t{NP} * N), width_(width) {
        const long double first = span.start * N;
        base_ = std::int64_t(std::floor(first));
        offset_ = first - base_;
        columnsPerSample_ = (width - 1) / (span.length * N);
    }

    std::int32_t N() const { return N_; }
    std::int64_t LastSample() const { return last_; }

    long double Position(std::int64_t m) const {
        return (static_cast<long double>(m - base_) - offset_) * columnsPerSample_;
    }

    // The first sample whose position is at least column − 0.5, within 1 … last + 1.
    std::int64_t FirstFrom(int column) const {
        const long double steps = std::ceil(offset_ + (column - 0.5L) / columnsPerSample_);
        const long double m = base_ + steps;
        if (!(m > 1))
            return 1;
        if (m > last_)
            return last_ + 1;
        return std::int64_t(m);
    }

    // The column whose samples include m (−1 or width when m lies off the picture).
    int ColumnOf(std::int64_t m) const {
        const long double rounded = std::floor(Position(m) + 0.5L);
        int column = int(std::clamp<long double>(rounded, -1, width_));
        while (column < width_ && FirstFrom(column + 1) <= m)
            ++column;
        while (column >= 0 && FirstFrom(column) > m)
            --column;
        return column;
    }

private:
    std::int32_t N_;
    std::int64_t last_;
    int width_;
    std::int64_t base_;
    long double offset_;
    long double columnsPerSample_;
};

// One trace over the span, column by column (see ViewPicture).
void DrawTraceInSpan(LineSink& sink, const SpanColumns& columns, const PixelMapping& mapping,
                     QSize size, const engine::RangeExtremes& extremes, const BandScale& scale,
                     const TraceGeometry& band) {
    const std::int32_t N = columns.N();
    const std::span<const double> values = extremes.Values();
    const auto row = [&](std::int64_t m) {
        return mapping.RowPosition(scale.Height(values[std::size_t(IndexOfSample(m, N))], band));
    };
    const auto join = [&](QPointF from, QPointF to) { plot::ClippedLine(sink, from, to, size); };
    const auto column = [&](int c, double high, double low) {
        plot::ColumnSpan(sink, c, mapping.RowPosition(scale.Height(high, band)),
                         mapping.RowPosition(scale.Height(low, band)), 0, size.height() - 1);
    };
    // Joined to the sample before, unless that one ends a period.
    const auto joined = [N](std::int64_t m) { return m > 1 && (m - 1) % N != 0; };

    sink.SetColour(band.colour, false);
    const std::int64_t first = columns.FirstFrom(0);
    const std::int64_t last = std::min(columns.FirstFrom(size.width()) - 1, columns.LastSample());
    std::optional<QPointF> previous;
    if (first > 1)
        previous = QPointF(double(columns.Position(first - 1)), row(first - 1));
    for (std::int64_t m = first; m <= last;) {
        const int c = columns.ColumnOf(m);
        const std::int64_t end = std::min(last, columns.FirstFrom(c + 1) - 1);
        if (previous && joined(m))
            join(*previous, QPointF(c, row(m)));
        const std::int32_t from = IndexOfSample(m, N), to = IndexOfSample(end, N);
        if (end - m + 1 >= N) {
            const auto [low, high] = extremes.MinMax(1, std::size_t(N));
            column(c, high, low);
        } else if (from <= to) {
            const auto [low, high] = extremes.MinMax(std::size_t(from), std::size_t(to));
            column(c, high, low);
        } else {
            const auto [lowEnd, highEnd] = extremes.MinMax(std::size_t(from), std::size_t(N));
            column(c, highEnd, lowEnd);
            const auto [lowStart, highStart] = extremes.MinMax(1, std::size_t(to));
            column(c, highStart, lowStart);
        }
        previous = QPointF(c, row(end));
        m = end + 1;
    }
    // Joined to the sample after the picture, or, with none on it, the two either side.
    const std::int64_t next = std::max(first, last + 1);
    if (previous && next <= columns.LastSample() && joined(next))
        join(*previous, QPointF(double(columns.Position(next)), row(next)));
}

void DrawCursors(LineSink& sink, const SpanColumns& columns, QSize size, const PlotView& view) {
    const std::pair<const std::optional<Cursor>&, bool> cursors[] = {{view.a, false},
                                                                     {view.b, true}};
    for (const auto& [cursor, dashed] : cursors) {
        if (!cursor)
            continue;
        const long double position = std::floor(columns.Position(cursor->sample) + 0.5L);
        if (!(position >= 0 && position < size.width()))
            continue;
        sink.SetColour(kCursorColour, dashed);
        sink.Line(QPoint(int(position), 0), QPoint(int(position), size.height() - 1));
    }
}

// Whatever the view adds to what the sink already shows: the traces unless the plot's own
// picture shows them, then the cursors.
void DrawView(LineSink& sink, const PlotPicture& plot, bool withTraces) {
    const DrawnPlot& drawn = *plot.Drawn();
    const PlotView& view = plot.View();
    if (drawn.N < 1 || drawn.NP < 1 || !drawn.run || drawn.run->N != drawn.N)
        return;
    const QSize size = plot.Picture().size();
    const SpanColumns columns(SpanOf(view, drawn.NP), drawn.N, drawn.NP, size.width());
    if (withTraces && drawn.N >= 2)
        for (const TraceGeometry& band : kTraceGeometry)
            DrawTraceInSpan(sink, columns, plot.Mapping(), size, ExtremesOf(*drawn.run, band.trace),
                            ScaleOf(band.trace, drawn, view), band);
    DrawCursors(sink, columns, size, view);
}

} // namespace

bool ShowsOwnPicture(const PlotPicture& plot) { return !plot.Drawn() || plot.View().IsPlain(); }

PlotPicture ViewPicture(const PlotPicture& plot) {
    PlotPicture view = plot.Detached();
    if (ShowsOwnPicture(plot))
        return view;
    const bool redrawn = plot.View().zoom || plot.View().fit;
    if (redrawn) {
        view.Blank();
        DrawAxes(view);
    }
    PixelSink sink(view);
    DrawView(sink, plot, redrawn);
    return view;
}

void PaintView(QPainter& painter, const PlotPicture& plot) {
    const QSize size = plot.Picture().size();
    painter.fillRect(QRect(QPoint(0, 0), size), QColor::fromRgb(plot.Background()));
    plot::PainterSink sink(painter);
    const PixelMapping toPixel = plot.Mapping();
    for (const AxisLine& line : AxisLines()) {
        sink.SetColour(line.colour.value_or(app::kPaletteBlack), false);
        sink.Line(toPixel(line.x1, line.y1), toPixel(line.x2, line.y2));
    }
    if (plot.Drawn())
        DrawView(sink, plot, true);
}

} // namespace graph_window
