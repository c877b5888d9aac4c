// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/step_chart.h"

#include "app/number_text.h"
#include "app/text.h"
#include "plot/files.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace response_window {

namespace {

using plot::ChartPainter, plot::ColumnOf, plot::ColumnStart, plot::DecimalsFor, plot::PaddedRange,
    plot::Ticks, plot::TicksOver, plot::ValueRange;
using plot::kGridColour, plot::kMarkColour, plot::kMeanColour, plot::kTraceColour;

using app::FormatNumber, app::FormatReading, app::NumberPattern;

constexpr int kValueTicks = 6, kTimeTicks = 8;
constexpr double kRowPadding = 0.05;

// The decimals of a time in ms that tell two columns of the span apart, at least two.
int TimeDecimals(const AxisSpan& span, int columns) {
    return std::max(2, DecimalsFor(double(span.length) * 1e3 / std::max(columns, 1)));
}

QString Volts(double value) { return FormatNumber(value, NumberPattern::Scientific2); }

} // namespace

void StepChart::Paint(QPainter& painter, QSize size, const AxisView& view) const {
    ChartPainter chart(painter, size);
    chart.Background(app::kLightYellow);
    const QRect& area = chart.Area();
    const int width = area.width();
    const AxisSpan span = plot::SpanOr(view.zoom, figures_.whole);
    const engine::StepResponse& response = figures_.response;
    const double mean = response.FinalMean(), band = figures_.band;

    // Each column's lowest and highest output; the rows hold them and the band.
    std::vector<engine::StepResponse::Range> columns(std::size_t(std::max(width, 0)));
    double low = mean - band, high = mean + band;
    for (int c = 0; c < width; ++c) {
        columns[c] = response.Over(double(ColumnStart(span, c, width)),
                                   double(ColumnStart(span, c + 1, width)));
        low = std::min(low, columns[c].low);
        high = std::max(high, columns[c].high);
    }
    const ValueRange rows = PaddedRange(low, high, kRowPadding);
    const auto row = [&](double value) { return rows.Row(value, area); };

    // The grid, under everything: the values' rows and the times' columns, with their labels.
    const Ticks values = TicksOver(rows.low, rows.high, kValueTicks);
    for (double value : values.values) {
        chart.Line(area.left(), row(value), area.right(), row(value), kGridColour);
        chart.ValueLabel(row(value), FormatReading(value, DecimalsFor(values.step)), false);
    }
    const Ticks times =
        TicksOver(double(span.start) * 1e3, double(span.start + span.length) * 1e3, kTimeTicks);
    for (double ms : times.values) {
        const int c = ColumnOf(static_cast<long double>(ms) / 1e3L, span, width);
        if (c < 0 || c >= width)
            continue;
        chart.Column(c, kGridColour);
        chart.AxisLabel(c, FormatReading(ms, DecimalsFor(times.step)));
    }

    // The final mean, the band and the settling time.
    if (band > 0)
        for (double edge : {mean - band, mean + band})
            chart.Line(area.left(), row(edge), area.right(), row(edge), kMarkColour);
    chart.Line(area.left(), row(mean), area.right(), row(mean), kMarkColour, true);
    if (const int c = ColumnOf(figures_.settling, span, width); c >= 0 && c < width) {
        chart.Column(c, kMarkColour);
        chart.MarkName(c, app::Text::tr("ts"));
    }

    // The mean response, thin, under the output it is the mean of: joined from column to column.
    for (int c = 0; c < width; ++c)
        chart.Line(area.left() + c, row(figures_.MeanResponseAt(double(ColumnStart(span, c, width)))),
                   area.left() + c + 1,
                   row(figures_.MeanResponseAt(double(ColumnStart(span, c + 1, width)))),
                   kMeanColour);

    // The output, column by column: neighbouring columns share their common instant, so the
    // trace is joined.
    chart.ColumnTrace(columns, rows, kTraceColour);

    chart.Cursors(view, span);
    chart.Frame();
    chart.Titles(app::Text::tr("Vo [V]"), QString(), app::Text::tr("t [ms]"));
}

std::optional<QString> StepChart::Reading(long double position, const AxisSpan& span,
                                          int columns) const {
    const double t = double(position);
    const double output = figures_.response.At(t);
    if (!std::isfinite(t) || !std::isfinite(output))
        return std::nullopt;
    return app::Text::tr("t = %1 ms   Vo = %2 V")
        .arg(FormatReading(t * 1e3, TimeDecimals(span, columns)), Volts(output));
}

QString StepChart::CursorText(const AxisView& view, int columns) const {
    if (!view.a && !view.b)
        return {};
    const AxisSpan span = plot::SpanOr(view.zoom, figures_.whole);
    const int decimals = TimeDecimals(span, columns);
    const auto ms = [decimals](long double t) { return FormatReading(double(t) * 1e3, decimals); };
    const auto output = [this](long double t) { return figures_.response.At(double(t)); };
    if (!view.a || !view.b) {
        const long double t = view.a ? *view.a : *view.b;
        return app::Text::tr("%1: t = %2 ms   Vo = %3 V")
            .arg(view.a ? QStringLiteral("A") : QStringLiteral("B"), ms(t), Volts(output(t)));
    }
    const long double dt = *view.b - *view.a;
    QString text = app::Text::tr("A: t = %1 ms   B: t = %2 ms   Δt = %3 ms   ")
                       .arg(ms(*view.a), ms(*view.b), ms(dt));
    if (dt != 0)
        text += app::Text::tr("1/Δt = %1 Hz   ")
                    .arg(FormatNumber(1 / double(dt), NumberPattern::Scientific2));
    return text + app::Text::tr("ΔVo = %1 V").arg(Volts(output(*view.b) - output(*view.a)));
}

bool StepChart::WriteTable(const AxisSpan& span, int columns, const std::string& separator,
                           const std::string& decimalPoint, const CsvSink& sink) const {
    std::string table = "t [s]" + separator + "Vo [V]\n";
    for (int c = 0; c < columns; ++c) {
        const double t = double(ColumnStart(span, c, columns));
        plot::AppendRoundTrip(table, t, decimalPoint);
        table += separator;
        plot::AppendRoundTrip(table, figures_.response.At(t), decimalPoint);
        table += '\n';
    }
    return sink(table);
}

QString StepChart::Title() const { return app::Text::tr("Risposta al gradino"); }

} // namespace response_window
