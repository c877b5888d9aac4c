// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/bode_chart.h"

#include "app/number_text.h"
#include "app/text.h"
#include "plot/files.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace response_window {

namespace {

using plot::ChartPainter, plot::ColumnOf, plot::DecimalsFor, plot::PaddedRange, plot::Ticks,
    plot::TicksOver, plot::ValueRange;
using plot::kGridColour, plot::kMarkColour, plot::kMinorGridColour, plot::kTraceColour;

using app::FormatNumber, app::NumberPattern;

constexpr int kMagnitudeTicks = 6;
constexpr double kMagnitudePadding = 0.06;
constexpr double kFewestDecibels = 1; // the rows span at least this much
// The phase's rows: 0 to −90° per order, with room above 0 so that at low frequencies the phase
// does not run along the magnitude at 0 dB.
constexpr double kPhaseBelow = 0.06, kPhaseAbove = 0.25;
// Labelled decades are at least this far apart, and the lines at 2 … 9 times a decade show from
// this width of a decade on, in pixels.
constexpr double kLabelPixels = 70, kMinorLinePixels = 40;

QString Scientific(double value) { return FormatNumber(value, NumberPattern::Scientific2); }

// The magnitude and phase at each column's middle frequency; none where it cannot be computed.
std::vector<std::optional<engine::FrequencyPoint>> ColumnPoints(const BodeChart& chart,
                                                                const AxisSpan& span, int width) {
    std::vector<std::optional<engine::FrequencyPoint>> points(std::size_t(std::max(width, 0)));
    for (int c = 0; c < width; ++c)
        points[c] = engine::FrequencyResponseOf(
            chart.Figures().circuit,
            chart.FrequencyAt(span.start + span.length * (c + 0.5L) / width));
    return points;
}

// A curve through the columns' points, broken where a point is missing.
void DrawCurve(ChartPainter& chart,
               const std::vector<std::optional<engine::FrequencyPoint>>& points,
               double engine::FrequencyPoint::*value, const ValueRange& rows, bool dashed) {
    const QRect& area = chart.Area();
    QPen pen(QColor::fromRgb(kTraceColour), 1, dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    QPolygonF line;
    const auto flush = [&] {
        if (line.size() == 1)
            line << line.front();
        chart.Painter().setPen(pen);
        chart.Painter().drawPolyline(line);
        line.clear();
    };
    for (std::size_t c = 0; c < points.size(); ++c) {
        if (!points[c]) {
            flush();
            continue;
        }
        const double y =
            std::clamp(rows.Row((*points[c]).*value, area), area.top() - 1.0, area.bottom() + 1.0);
        line << QPointF(area.left() + double(c) + 0.5, std::floor(y + 0.5) + 0.5);
    }
    if (!line.isEmpty())
        flush();
}

} // namespace

QString FrequencyLabel(double hertz) {
    static const char* const kPrefixes[] = {"p", "n", "µ", "m", "", "k", "M", "G", "T"};
    const double exponent = std::floor(std::log10(hertz) + 1e-9);
    if (!(exponent >= -12 && exponent < 15))
        return app::Text::tr("%1 Hz").arg(Scientific(hertz));
    const int third = int(std::floor(exponent / 3));
    const double mantissa = hertz / std::pow(10.0, 3 * third);
    return app::Text::tr("%1 %2Hz").arg(QString::number(std::llround(mantissa)),
                                        QString::fromUtf8(kPrefixes[third + 4]));
}

double BodeChart::FrequencyAt(long double position) const {
    return double(
        std::pow(10.0L, static_cast<long double>(figures_.logLow.value_or(0)) + position));
}

SpanLimits BodeChart::Limits() const {
    return {figures_.decades, std::min(kShortestDecades, figures_.decades)};
}

void BodeChart::Paint(QPainter& painter, QSize size, const AxisView& view) const {
    ChartPainter chart(painter, size);
    chart.Background(app::kLightYellow);
    const QRect& area = chart.Area();
    const int width = area.width();
    const AxisSpan span = plot::SpanOr(view.zoom, figures_.decades);
    const double logLow = figures_.logLow.value_or(0);
    const auto points = ColumnPoints(*this, span, width);

    // The magnitude's rows fit the span; the phase's hold its whole range.
    double low = 0, high = 0;
    bool any = false;
    for (const auto& point : points)
        if (point) {
            low = any ? std::min(low, point->magnitudeDb) : point->magnitudeDb;
            high = any ? std::max(high, point->magnitudeDb) : point->magnitudeDb;
            any = true;
        }
    if (high - low < kFewestDecibels) {
        const double middle = (low + high) / 2;
        low = middle - kFewestDecibels / 2;
        high = middle + kFewestDecibels / 2;
    }
    const ValueRange magnitudeRows = PaddedRange(low, high, kMagnitudePadding);
    const double lowestPhase = -90.0 * figures_.order;
    const ValueRange phaseRows{lowestPhase * (1 + kPhaseBelow), -lowestPhase * kPhaseAbove};

    // The grid: the magnitude's rows, the phase's labels, and the frequencies at each decade (and
    // at 2 … 9 times it, labelled while fewer than two decades show).
    const Ticks decibels = TicksOver(magnitudeRows.low, magnitudeRows.high, kMagnitudeTicks);
    for (double value : decibels.values) {
        const double y = magnitudeRows.Row(value, area);
        chart.Line(area.left(), y, area.right(), y, kGridColour);
        chart.ValueLabel(y, app::FormatReading(value, DecimalsFor(decibels.step)), false);
    }
    const int phaseStep = 15 * figures_.order;
    for (int degrees = 0; degrees >= lowestPhase; degrees -= phaseStep)
        chart.ValueLabel(phaseRows.Row(degrees, area),
                         app::Text::tr("%1°").arg(QString::number(degrees)), true);
    const double left = logLow + double(span.start);
    const double right = left + double(span.length);
    const auto columnOfLog = [&](double x) {
        return ColumnOf(static_cast<long double>(x - logLow), span, width);
    };
    // Over many decades only every second, fifth, tenth… decade has its line and label, so that
    // labels keep their distance; the lines between decades show while a decade is wide enough.
    for (const plot::LogTick& tick :
         plot::LogTicksOver(left, right, width, kLabelPixels, kMinorLinePixels)) {
        if (tick.times == 1 && !tick.labelled)
            continue;
        const int c = columnOfLog(tick.Position());
        if (c < 0 || c >= width)
            continue;
        chart.Column(c, tick.times == 1 ? kGridColour : kMinorGridColour);
        if (tick.labelled)
            chart.AxisLabel(c, FrequencyLabel(tick.times * std::pow(10.0, tick.decade)));
    }

    // The cut-off and the pulse train's frequency.
    const std::pair<std::optional<double>, QString> marks[] = {
        {figures_.cutoff, app::Text::tr("fc")}, {figures_.f, app::Text::tr("f")}};
    for (const auto& [hertz, name] : marks) {
        if (!hertz)
            continue;
        if (const int c = columnOfLog(std::log10(*hertz)); c >= 0 && c < width) {
            chart.Column(c, kMarkColour);
            chart.MarkName(c, name);
        }
    }

    painter.save();
    painter.setClipRect(area);
    DrawCurve(chart, points, &engine::FrequencyPoint::magnitudeDb, magnitudeRows, false);
    DrawCurve(chart, points, &engine::FrequencyPoint::phaseDegrees, phaseRows, true);
    painter.restore();

    chart.Cursors(view, span);
    chart.Frame();
    chart.Titles(app::Text::tr("|H| [dB]"), app::Text::tr("fase [°]"), app::Text::tr("f"));
}

std::optional<QString> BodeChart::Reading(long double position, const AxisSpan&, int) const {
    const double hertz = FrequencyAt(position);
    const std::optional<engine::FrequencyPoint> point =
        engine::FrequencyResponseOf(figures_.circuit, hertz);
    if (!point || !std::isfinite(point->magnitudeDb) || !std::isfinite(point->phaseDegrees))
        return std::nullopt;
    return app::Text::tr("f = %1 Hz   |H| = %2 dB   fase = %3°")
        .arg(Scientific(hertz), Scientific(point->magnitudeDb), Scientific(point->phaseDegrees));
}

QString BodeChart::CursorText(const AxisView& view, int) const {
    const auto point = [this](long double position) {
        return engine::FrequencyResponseOf(figures_.circuit, FrequencyAt(position));
    };
    if (view.a.has_value() != view.b.has_value()) {
        const long double position = view.a ? *view.a : *view.b;
        const auto at = point(position);
        if (!at)
            return {};
        return app::Text::tr("%1: f = %2 Hz   |H| = %3 dB   fase = %4°")
            .arg(view.a ? QStringLiteral("A") : QStringLiteral("B"),
                 Scientific(FrequencyAt(position)), Scientific(at->magnitudeDb),
                 Scientific(at->phaseDegrees));
    }
    if (!view.a)
        return {};
    const double fa = FrequencyAt(*view.a), fb = FrequencyAt(*view.b);
    const auto a = point(*view.a), b = point(*view.b);
    if (!a || !b)
        return {};
    return app::Text::tr("A: f = %1 Hz   B: f = %2 Hz   Δf = %3 Hz   Δ|H| = %4 dB   Δfase = %5°")
        .arg(Scientific(fa), Scientific(fb), Scientific(fb - fa),
             Scientific(b->magnitudeDb - a->magnitudeDb),
             Scientific(b->phaseDegrees - a->phaseDegrees));
}

bool BodeChart::WriteTable(const AxisSpan& span, int, const std::string& separator,
                           const std::string& decimalPoint, const CsvSink& sink) const {
    std::string table = "f [Hz]" + separator + "|H| [dB]" + separator + "fase [°]\n";
    const long double rows = std::floor(span.length * kTablePointsPerDecade + 1e-9L);
    for (long double k = 0; k <= rows; ++k) {
        const double hertz = FrequencyAt(span.start + k / kTablePointsPerDecade);
        const std::optional<engine::FrequencyPoint> point =
            engine::FrequencyResponseOf(figures_.circuit, hertz);
        if (!point)
            continue;
        plot::AppendRoundTrip(table, hertz, decimalPoint);
        table += separator;
        plot::AppendRoundTrip(table, point->magnitudeDb, decimalPoint);
        table += separator;
        plot::AppendRoundTrip(table, point->phaseDegrees, decimalPoint);
        table += '\n';
    }
    return sink(table);
}

QString BodeChart::Title() const { return app::Text::tr("Risposta in frequenza"); }

} // namespace response_window
