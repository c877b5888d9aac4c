// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_view.h"

#include "app/text.h"

#include "app/number_text.h"
#include "graph_window/plot_picture.h"

#include <algorithm>
#include <cmath>

namespace graph_window {

namespace {

// The trace's name after "Δ" in CursorLabel.
const char* SymbolOf(Trace trace) {
    return trace == Trace::Vi ? "Vi" : trace == Trace::Ic ? "iC" : "Vo";
}

// Whether the plot holds the run it was drawn from, with samples to show.
bool HasSamples(const DrawnPlot& plot) {
    return plot.run && plot.run->N == plot.N && plot.N >= 1 && plot.NP >= 1;
}

} // namespace

SpanLimits LimitsOf(std::int32_t N, std::int32_t NP) {
    if (N < 1 || NP < 1)
        return {};
    const long double whole = NP;
    return {whole, std::min(static_cast<long double>(kShortestSpanSamples) / N, whole)};
}

TimeSpan SpanOf(const PlotView& view, std::int32_t NP) {
    return SpanOr(view.zoom, static_cast<long double>(NP));
}

std::int64_t NearestSample(TimeSpan span, double share, std::int32_t N, std::int32_t NP) {
    if (N < 1 || NP < 1)
        return 0;
    const std::int64_t last = std::int64_t{NP} * N;
    const long double position = (span.start + share * span.length) * N;
    if (!(position > 1)) // also a position that is not a number
        return 1;
    if (position >= last)
        return last;
    return std::llround(position);
}

std::pair<double, double> ExtremesInSpan(const engine::RangeExtremes& extremes, std::int32_t N,
                                         std::int32_t NP, TimeSpan span) {
    if (N < 1 || NP < 1 || extremes.Values().size() < std::size_t(N) + 1)
        return {0, 0};
    const long double total = static_cast<long double>(NP) * N;
    const long double from = std::max<long double>(std::ceil(span.start * N), 1);
    const long double to = std::min(std::floor((span.start + span.length) * N), total);
    if (!(from <= to))
        return {0, 0};
    if (to - from + 1 >= N)
        return extremes.MinMax(1, std::size_t(N));
    const std::int32_t first = IndexOfSample(std::int64_t(from), N);
    const std::int32_t last = IndexOfSample(std::int64_t(to), N);
    if (first <= last)
        return extremes.MinMax(std::size_t(first), std::size_t(last));
    // Across the end of a period: its last samples and the next one's first.
    const auto [lowEnd, highEnd] = extremes.MinMax(std::size_t(first), std::size_t(N));
    const auto [lowStart, highStart] = extremes.MinMax(1, std::size_t(last));
    return {std::min(lowEnd, lowStart), std::max(highEnd, highStart)};
}

float BandScale::Height(double sample, const TraceGeometry& band) const {
    if (!fitted)
        return BandHeight(sample, range, band);
    if (!(range > 0))
        return float(band.baseline);
    return float((sample - low) / range * band.fullScale + band.baseline);
}

double BandScale::Value(double height, const TraceGeometry& band) const {
    if (!fitted)
        return (height - band.baseline) * range / band.fullScale;
    return low + (height - band.baseline) / band.fullScale * range;
}

BandScale ScaleOf(Trace trace, const DrawnPlot& plot, const PlotView& view) {
    if (!view.fit || !HasSamples(plot))
        return {false, 0, plot.scales.Of(trace)};
    const auto [low, high] =
        ExtremesInSpan(ExtremesOf(*plot.run, trace), plot.N, plot.NP, SpanOf(view, plot.NP));
    return {true, low, high - low};
}

PlotView WithCursor(const PlotView& view, const DrawnPlot& plot, CursorName name, double share,
                    Trace trace) {
    if (!HasSamples(plot))
        return view;
    const std::int64_t m = NearestSample(SpanOf(view, plot.NP), share, plot.N, plot.NP);
    PlotView placed = view;
    placed.measured = trace == Trace::None ? Trace::Vo : trace;
    (name == CursorName::A ? placed.a : placed.b) = Cursor{m, placed.measured};
    return placed;
}

const engine::RangeExtremes& ExtremesOf(const engine::SimulatedRun& run, Trace trace) {
    return trace == Trace::Vi   ? run.ViExtremes
           : trace == Trace::Ic ? run.IcExtremes
                                : run.VoExtremes;
}

double SampleValue(const DrawnPlot& plot, Trace trace, std::int64_t m) {
    return ExtremesOf(*plot.run, trace).Values()[std::size_t(IndexOfSample(m, plot.N))];
}

QString CursorText(const std::optional<DrawnPlot>& plot, const PlotView& view) {
    if (!plot || !HasSamples(*plot) || (!view.a && !view.b))
        return {};
    using app::FormatNumber, app::NumberPattern;
    // Decimals enough to tell two neighbouring samples apart, at least two.
    const double step = plot->dt * 1e6;
    int decimals = 2;
    while (decimals < 15 && std::pow(10.0, -decimals) > step)
        ++decimals;
    const auto microseconds = [&](std::int64_t samples) {
        return app::FormatReading(double(samples) * plot->dt * 1e6, decimals);
    };
    if (!view.a || !view.b) {
        const Cursor& cursor = view.a ? *view.a : *view.b;
        const TraceGeometry& band = GeometryOf(cursor.trace);
        return app::Text::tr("%1: t = %2 µs   %3%4 %5")
            .arg(view.a ? QStringLiteral("A") : QStringLiteral("B"), microseconds(cursor.sample),
                 QString::fromLatin1(band.label),
                 FormatNumber(SampleValue(*plot, cursor.trace, cursor.sample),
                              NumberPattern::Scientific2),
                 QString::fromLatin1(band.unit));
    }
    const Trace trace = view.measured == Trace::None ? view.b->trace : view.measured;
    const std::int64_t samples = view.b->sample - view.a->sample;
    const double difference =
        SampleValue(*plot, trace, view.b->sample) - SampleValue(*plot, trace, view.a->sample);
    QString text =
        app::Text::tr("A: t = %1 µs   B: t = %2 µs   Δt = %3 µs   ")
            .arg(microseconds(view.a->sample), microseconds(view.b->sample), microseconds(samples));
    if (samples != 0)
        text += app::Text::tr("1/Δt = %1 kHz   ")
                    .arg(FormatNumber(1 / (double(samples) * plot->dt) / 1000,
                                      NumberPattern::Scientific2));
    return text + app::Text::tr("Δ%1 = %2 %3")
                      .arg(QString::fromLatin1(SymbolOf(trace)),
                           FormatNumber(difference, NumberPattern::Scientific2),
                           QString::fromLatin1(GeometryOf(trace).unit));
}

} // namespace graph_window
