// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/chart.h"

#include "app/control_table.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace plot {

namespace {

// Margins of the data area, in pixels: the values' labels on the left and right, the axes'
// titles above, the horizontal axis's labels below.
constexpr int kLeftMargin = 62, kRightMargin = 52, kTopMargin = 18, kBottomMargin = 22;
constexpr int kTickLength = 3;
constexpr int kTextHeight = 14;

// y within a pixel of the area, so that a value far off it costs nothing and stays an int.
double Clipped(double y, const QRect& area) {
    if (!(y > area.top() - 1)) // also a y that is not a number
        return area.top() - 1;
    return std::min(y, double(area.bottom() + 1));
}

} // namespace

QRect DataArea(QSize picture) {
    return QRect(kLeftMargin, kTopMargin, picture.width() - kLeftMargin - kRightMargin,
                 picture.height() - kTopMargin - kBottomMargin);
}

int ColumnOf(long double position, const AxisSpan& span, int width) {
    const long double column = std::floor((position - span.start) / span.length * width);
    if (!(column >= 0)) // also a position that is not a number
        return -1;
    if (position == span.start + span.length)
        return width - 1; // the right end belongs to the last column
    return column >= width ? width : int(column);
}

ValueRange PaddedRange(double low, double high, double share) {
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        return {};
    double pad = (high - low) * share;
    if (!(pad > 0))
        pad = std::max(std::fabs(low), 1.0) * share;
    const ValueRange range{low - pad, high + pad};
    if (!std::isfinite(range.low) || !std::isfinite(range.high) || !(range.high > range.low))
        return {};
    return range;
}

ChartPainter::ChartPainter(QPainter& painter, QSize size)
    : painter_(painter), size_(size), area_(DataArea(size)) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(app::MakeFont(app::ControlFont::Regular825));
}

void ChartPainter::Background(app::Rgb colour) {
    painter_.fillRect(QRect(QPoint(0, 0), size_), QColor::fromRgb(colour));
}

void ChartPainter::Line(double x1, double y1, double x2, double y2, app::Rgb colour, bool dashed) {
    QPen pen(QColor::fromRgb(colour), 1, dashed ? Qt::DashLine : Qt::SolidLine,
             dashed ? Qt::FlatCap : Qt::SquareCap, Qt::MiterJoin);
    painter_.setPen(pen);
    const auto centre = [](double v) { return std::floor(v + 0.5) + 0.5; };
    painter_.drawLine(QPointF(centre(x1), centre(Clipped(y1, area_))),
                      QPointF(centre(x2), centre(Clipped(y2, area_))));
}

void ChartPainter::Bar(int x, double y1, double y2, app::Rgb colour) {
    const BarSink sink{painter_, QColor::fromRgb(colour)};
    ColumnSpan(sink, x, y1, y2, area_.top(), area_.bottom());
}

void ChartPainter::BarSink::Line(QPoint from, QPoint to) const {
    painter.fillRect(
        QRect(from.x(), std::min(from.y(), to.y()), 1, std::abs(from.y() - to.y()) + 1), colour);
}

void ChartPainter::Column(int column, app::Rgb colour, bool dashed) {
    const int x = area_.left() + column;
    Line(x, area_.top(), x, area_.bottom(), colour, dashed);
}

void ChartPainter::Text(const QRect& rect, int alignment, const QString& text, app::Rgb colour) {
    painter_.setPen(QColor::fromRgb(colour));
    painter_.drawText(rect, alignment, text);
}

void ChartPainter::ValueLabel(double y, const QString& text, bool right, app::Rgb colour) {
    const int row = int(std::floor(y + 0.5));
    if (right) {
        Line(area_.right() + 1, row, area_.right() + kTickLength, row, app::kPaletteBlack);
        Text(QRect(area_.right() + kTickLength + 3, row - kTextHeight / 2,
                   size_.width() - area_.right() - kTickLength - 3, kTextHeight),
             Qt::AlignLeft | Qt::AlignVCenter, text, colour);
    } else {
        Line(area_.left() - kTickLength, row, area_.left() - 1, row, app::kPaletteBlack);
        Text(QRect(0, row - kTextHeight / 2, area_.left() - kTickLength - 3, kTextHeight),
             Qt::AlignRight | Qt::AlignVCenter, text, colour);
    }
}

void ChartPainter::AxisLabel(int x, const QString& text) {
    const int column = area_.left() + x;
    Line(column, area_.bottom() + 1, column, area_.bottom() + kTickLength, app::kPaletteBlack);
    constexpr int kHalfWidth = 60;
    Text(QRect(column - kHalfWidth, area_.bottom() + kTickLength + 2, 2 * kHalfWidth, kTextHeight),
         Qt::AlignHCenter | Qt::AlignTop, text);
}

void ChartPainter::Titles(const QString& left, const QString& right, const QString& below) {
    const int width = size_.width();
    Text(QRect(4, 2, width / 2 - 4, kTextHeight), Qt::AlignLeft | Qt::AlignTop, left);
    Text(QRect(width / 2, 2, width / 2 - 4, kTextHeight), Qt::AlignRight | Qt::AlignTop, right);
    Text(QRect(area_.right() + kTickLength + 3, area_.bottom() + kTickLength + 2,
               width - area_.right() - kTickLength - 5, kTextHeight),
         Qt::AlignRight | Qt::AlignTop, below);
}

void ChartPainter::MarkName(int x, const QString& text) {
    constexpr int kWidth = 80;
    const int column = area_.left() + x;
    // Right of its line, or left of it near the area's right edge.
    const bool left = column + 3 + painter_.fontMetrics().horizontalAdvance(text) > area_.right();
    const QRect rect = left ? QRect(column - 3 - kWidth, area_.top() + 2, kWidth, kTextHeight)
                            : QRect(column + 3, area_.top() + 2, kWidth, kTextHeight);
    Text(rect, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, text, kMarkColour);
}

void ChartPainter::Frame() {
    const app::Rgb black = app::kPaletteBlack;
    const int left = area_.left() - 1, right = area_.right() + 1;
    const int top = area_.top() - 1, bottom = area_.bottom() + 1;
    painter_.setPen(QPen(QColor::fromRgb(black), 1, Qt::SolidLine, Qt::SquareCap));
    painter_.drawLine(QPointF(left + 0.5, top + 0.5), QPointF(right + 0.5, top + 0.5));
    painter_.drawLine(QPointF(left + 0.5, bottom + 0.5), QPointF(right + 0.5, bottom + 0.5));
    painter_.drawLine(QPointF(left + 0.5, top + 0.5), QPointF(left + 0.5, bottom + 0.5));
    painter_.drawLine(QPointF(right + 0.5, top + 0.5), QPointF(right + 0.5, bottom + 0.5));
}

void ChartPainter::Cursors(const AxisView& view, const AxisSpan& span) {
    const std::pair<const std::optional<long double>&, bool> cursors[] = {{view.a, false},
                                                                          {view.b, true}};
    for (const auto& [cursor, dashed] : cursors) {
        if (!cursor)
            continue;
        const int column = ColumnOf(*cursor, span, area_.width());
        if (column >= 0 && column < area_.width())
            Column(column, kCursorColour, dashed);
    }
}

void DrawDot(QPainter& painter, QPointF at, const QColor& colour) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(at, kDotRadius, kDotRadius);
    painter.setBrush(Qt::NoBrush);
}

void DrawLegend(QPainter& painter, QPointF at, std::span<const LegendRow> rows) {
    const QFontMetricsF metrics(painter.font());
    double row = at.y() + kLegendRowHeight / 2.0;
    for (const LegendRow& entry : rows) {
        row += entry.gap * kLegendRowHeight;
        if (entry.dot) {
            DrawDot(painter, QPointF(at.x() + kLegendSample / 2.0, row), *entry.dot);
        } else {
            painter.setPen(entry.pen);
            painter.drawLine(QPointF(at.x(), row), QPointF(at.x() + kLegendSample, row));
        }
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() + kLegendSample + 8, row + metrics.ascent() / 2 - 1),
                         entry.caption);
        row += kLegendRowHeight;
    }
}

} // namespace plot
