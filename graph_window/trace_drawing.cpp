// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/trace_drawing.h"

#include "graph_window/plot_picture.h"
#include "plot/column_trace.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace graph_window {

namespace {

using engine::RangeExtremes;

struct TraceColumns {
    PixelMapping toPixel;
    std::span<const double> samples;
    double largest;
    const TraceGeometry& band;
    std::int32_t N, NP;
    double samplesPerColumn = SamplesPerColumn();

    int Row(double sample) const { return toPixel.Row(BandHeight(sample, largest, band)); }
    int Column(std::int32_t j, std::int32_t i) const {
        return toPixel.Column(SampleX(j, i, N, NP));
    }

    // How many samples a pixel column holds, about: the same in every period.
    double SamplesPerColumn() const {
        return (N - 1) / (toPixel.ColumnPosition(SampleX(1, N, N, NP)) -
                          toPixel.ColumnPosition(SampleX(1, 1, N, NP)));
    }

    // The last sample from i on that lies in column, the pixel column of sample i, and the
    // column of the sample after it (meaningless when that is N + 1). Columns grow with i: a
    // first guess from the straight line the samples lie on, doubling steps out from it to
    // samples either side of the column's end, then halving steps in.
    struct ColumnEnd {
        std::int32_t last;
        int nextColumn;
    };
    ColumnEnd LastInColumn(std::int32_t j, std::int32_t i, int column) const {
        const double guess =
            i + (column + 0.5 - toPixel.ColumnPosition(SampleX(j, i, N, NP))) * samplesPerColumn;
        const std::int32_t probe =
            guess > i ? std::int32_t(std::min(std::floor(guess), double(N))) : i;

        std::int32_t inside = i, beyond = N + 1;
        int beyondColumn = 0;
        const auto outside = [&](std::int64_t k) {
            const int c = Column(j, std::int32_t(k));
            if (c == column)
                return false;
            beyond = std::int32_t(k);
            beyondColumn = c;
            return true;
        };
        if (!outside(probe)) {
            inside = probe;
            for (std::int64_t step = 1; inside + step < beyond && !outside(inside + step);
                 step *= 2)
                inside = std::int32_t(inside + step);
        } else {
            for (std::int64_t step = 1; beyond - step > inside; step *= 2)
                if (!outside(beyond - step)) {
                    inside = std::int32_t(beyond - step);
                    break;
                }
        }
        while (beyond - inside > 1) {
            const std::int32_t middle = inside + (beyond - inside) / 2;
            if (!outside(middle))
                inside = middle;
        }
        return {inside, beyondColumn};
    }
};

// The vertical spans of one trace: where periods are about a pixel wide, the end of one period
// and the start of the next share a column, and their rows are written once instead of twice.
using SpanWriter = plot::ColumnSpans<const PixelPen>;

// The pixel columns that hold a whole period. Every segment of the trace lies within the rows
// of the trace's extremes, and the samples of a whole period, chained by vertical segments,
// cover all of them: such a column shows exactly those rows, whatever else falls in it.
class FullColumns {
public:
    FullColumns(const TraceColumns& trace, int width) : full_(std::size_t(width), false) {
        for (std::int32_t j = 1; j <= trace.NP; ++j) {
            const int column = trace.Column(j, 1);
            if (column == trace.Column(j, trace.N) && column >= 0 && column < width)
                full_[std::size_t(column)] = true;
        }
    }

    bool operator[](int column) const {
        return column >= 0 && column < int(full_.size()) && full_[std::size_t(column)];
    }
    // Whether every column from one to the other, both included, is full.
    bool All(int one, int other) const {
        for (int column = std::min(one, other); column <= std::max(one, other); ++column)
            if (!(*this)[column])
                return false;
        return true;
    }

    // Each run of full columns as one rectangle.
    void Fill(const PixelPen& pen, int height, int top, int bottom) const {
        for (int first = 0; first < int(full_.size());) {
            if (!full_[std::size_t(first)]) {
                ++first;
                continue;
            }
            int last = first;
            while (last + 1 < int(full_.size()) && full_[std::size_t(last + 1)])
                ++last;
            FillRectangle(pen, height, first, last, top, bottom);
            first = last + 1;
        }
    }

    // Row by row: the picture is stored by rows.
    static void FillRectangle(const PixelPen& pen, int height, int firstColumn, int lastColumn,
                              int top, int bottom) {
        for (int row = std::max(top, 0); row <= std::min(bottom, height - 1); ++row)
            pen.Line(QPoint(firstColumn, row), QPoint(lastColumn, row));
    }

private:
    std::vector<bool> full_;
};

// One period: per pixel column, the segments between samples of that column are vertical and
// together cover the rows from the lowest to the highest sample; the segments that cross
// columns are drawn as they are. Full columns already show all this period can add to them.
void DrawPeriod(const PixelPen& pen, const TraceColumns& trace, const RangeExtremes& extremes,
                const FullColumns& full, SpanWriter& spans, std::int32_t j, int firstColumn) {
    QPoint previous;
    int column = firstColumn;
    for (std::int32_t i = 1; i <= trace.N;) {
        const auto [last, nextColumn] = trace.LastInColumn(j, i, column);
        const QPoint first(column, trace.Row(trace.samples[i]));
        if (i > 1 && !full.All(previous.x(), column))
            pen.Line(previous, first);
        if (!full[column]) {
            const auto [low, high] = extremes.MinMax(std::size_t(i), std::size_t(last));
            spans.Add(column, trace.Row(high), trace.Row(low));
        }
        previous = QPoint(column, trace.Row(trace.samples[last]));
        i = last + 1;
        column = nextColumn;
    }
}

} // namespace

void DrawTrace(PlotPicture& plot, const RangeExtremes& extremes, double largest,
               const TraceGeometry& band, std::int32_t N, std::int32_t NP) {
    if (N < 2 || NP < 1)
        return;
    const TraceColumns trace{plot.Mapping(), extremes.Values(), largest, band, N, NP};
    const auto [low, high] = extremes.MinMax(1, std::size_t(N));
    const int top = trace.Row(high), bottom = trace.Row(low);
    const int width = plot.Picture().width(), height = plot.Picture().height();
    const PixelPen pen = plot.Pen(band.colour);

    // A period no wider than a fifth of a pixel: every column of the picture holds at least one
    // whole period, and the picture is the rows of the extremes across the whole width.
    if (double(width - 1) / NP <= 0.2) {
        FullColumns::FillRectangle(pen, height, 0, width - 1, top, bottom);
        return;
    }
    const FullColumns full(trace, width);
    full.Fill(pen, height, top, bottom);
    SpanWriter spans(pen);
    for (std::int32_t j = 1; j <= NP; ++j) {
        const int firstColumn = trace.Column(j, 1);
        if (!full.All(firstColumn, trace.Column(j, N)))
            DrawPeriod(pen, trace, extremes, full, spans, j, firstColumn);
    }
}

void DrawTraces(PlotPicture& plot, const engine::SimulatedRun& run, std::int32_t NP) {
    const engine::PeriodStatistics& s = run.statistics;
    const TraceScales scales{s.ViMax, s.IcMax, s.VoMax};
    for (const TraceGeometry& band : kTraceGeometry) {
        const RangeExtremes& extremes = band.trace == Trace::Vi   ? run.ViExtremes
                                        : band.trace == Trace::Ic ? run.IcExtremes
                                                                  : run.VoExtremes;
        DrawTrace(plot, extremes, scales.Of(band.trace), band, run.N, NP);
    }
}

} // namespace graph_window
