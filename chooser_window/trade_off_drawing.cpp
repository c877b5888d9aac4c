// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/trade_off_drawing.h"

#include "app/control_table.h"
#include "app/text.h"
#include "plot/chart.h"
#include "plot/files.h"
#include "plot/ticks.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace chooser_window {

using app::Text;

namespace {

constexpr app::Rgb kGoalColour = app::kPaletteBlack;
constexpr QColor kGrid(215, 215, 215);
constexpr QColor kMinorGrid(238, 238, 238);

// Where the plot stands on the canvas: room on the left for the ripple's decades and title,
// under it for the settling's, and on the right for the legend.
constexpr int kLeftMargin = 72;
constexpr int kTopMargin = 14;
constexpr int kRightMargin = 16;
constexpr int kBottomMargin = 46;
constexpr int kLegendWidth = 190;
// The least distance between two labels of the settling's and of the ripple's decades, and the
// width a decade needs to show the lines between decades.
constexpr double kAcrossLabelPixels = 60, kUpwardsLabelPixels = 24, kMinorLinePixels = 40;

// "1E+02": a decade as the tick labels write it, the same in every locale.
QString DecadeText(int decade) {
    return QStringLiteral("1E%1%2")
        .arg(decade < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(std::abs(decade), 2, 10, QLatin1Char('0'));
}

// The range that the curves, the dots and the goals span on each axis (ms across, mV upwards).
struct Extent {
    double xMin = INFINITY, xMax = 0, yMin = INFINITY, yMax = 0;

    void AddX(double x) {
        if (Plottable(x))
            xMin = std::min(xMin, x), xMax = std::max(xMax, x);
    }
    void AddY(double y) {
        if (Plottable(y))
            yMin = std::min(yMin, y), yMax = std::max(yMax, y);
    }
    bool Empty() const { return !(xMax > 0 && yMax > 0); }
};

Extent ExtentOf(const TradeOffData& data) {
    Extent extent;
    for (const TradeOffCurve& curve : data.curves) {
        for (const CurvePoint& point : curve.points) {
            extent.AddX(point.settlingSeconds * 1e3);
            extent.AddY(point.worstRipple * 1e3);
        }
        if (curve.chosen) {
            extent.AddX(curve.chosen->settlingSeconds * 1e3);
            extent.AddY(curve.chosen->worstRipple * 1e3);
        }
        if (curve.lsb && !curve.points.empty())
            extent.AddY(*curve.lsb * 1e3);
    }
    if (data.maxSettlingSeconds && !extent.Empty())
        extent.AddX(*data.maxSettlingSeconds * 1e3);
    return extent;
}

QPen CurvePen(app::Rgb colour) {
    QPen pen{QColor::fromRgb(colour), 2};
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPen GoalPen(app::Rgb colour) {
    QPen pen{QColor::fromRgb(colour), 1.5, Qt::DashLine};
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// The decade lines and their labels of one axis, from the plot library's ticks: the labelled
// decades as far apart as labelPixels asks, the lines of 2…9 in between when a decade is wide
// enough to show them.
template <class Line, class Label>
void DrawDecades(QPainter& painter, const plot::LogScale& axis, double labelPixels, Line line,
                 Label label) {
    for (const plot::LogTick& tick : plot::LogTicksOver(
             axis.lo, axis.hi, std::abs(axis.to - axis.from), labelPixels, kMinorLinePixels)) {
        const double at = axis.At(tick.times * std::pow(10.0, tick.decade));
        painter.setPen(QPen(tick.times == 1 ? kGrid : kMinorGrid, 1));
        line(at);
        if (tick.times == 1 && tick.labelled)
            label(at, DecadeText(tick.decade));
    }
}

// The goals: for each different LSB, a dashed box from the axes to (the limit, 1 LSB), its top in
// the candidate's colour when there are several; without a limit, the tops alone across the plot.
void DrawGoals(QPainter& painter, const TradeOffData& data, const plot::LogScale& x,
               const plot::LogScale& y,
               const QRectF& plot) {
    std::vector<std::pair<double, app::Rgb>> goals;
    for (const TradeOffCurve& curve : data.curves) {
        if (!curve.lsb || curve.points.empty())
            continue;
        const bool known = std::any_of(goals.begin(), goals.end(), [&](const auto& goal) {
            return std::fabs(goal.first / *curve.lsb - 1) < 1e-9;
        });
        if (!known)
            goals.push_back({*curve.lsb, curve.colour});
    }
    const double right =
        data.maxSettlingSeconds ? x.At(*data.maxSettlingSeconds * 1e3) : plot.right();
    double highest = plot.bottom();
    for (const auto& [lsb, colour] : goals) {
        painter.setPen(GoalPen(goals.size() == 1 ? kGoalColour : colour));
        const double top = y.At(lsb * 1e3);
        painter.drawLine(QPointF(plot.left(), top), QPointF(right, top));
        highest = std::min(highest, top);
    }
    // The limit is the same for all: one side, up to the highest top.
    if (data.maxSettlingSeconds && !goals.empty()) {
        painter.setPen(GoalPen(kGoalColour));
        painter.drawLine(QPointF(right, highest), QPointF(right, plot.bottom()));
    }
}

void DrawLegend(QPainter& painter, const TradeOffData& data, QPointF at) {
    std::vector<plot::LegendRow> rows;
    for (const TradeOffCurve& curve : data.curves)
        rows.push_back({CurvePen(curve.colour), std::nullopt, curve.name});
    rows.push_back({QPen(), QColor(128, 128, 128), Text::tr("Componente scelto"), 0.5});
    rows.push_back({GoalPen(kGoalColour), std::nullopt,
                    data.maxSettlingSeconds ? Text::tr("Obiettivo (1 LSB, limite)")
                                            : Text::tr("Obiettivo (1 LSB)")});
    plot::DrawLegend(painter, at, rows);
}

} // namespace

void DrawTradeOff(QPainter& painter, QSize size, const TradeOffData& data) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QRectF plot(kLeftMargin, kTopMargin,
                      std::max(1, size.width() - kLeftMargin - kRightMargin - kLegendWidth),
                      std::max(1, size.height() - kTopMargin - kBottomMargin));
    const QFont labelFont = app::MakeFont(app::ControlFont::Regular825);
    const QFont titleFont = app::MakeFont(app::ControlFont::Bold825);
    painter.setFont(labelFont);
    const QFontMetricsF metrics(labelFont);

    const Extent extent = ExtentOf(data);
    if (!extent.Empty()) {
        plot::LogScale x = plot::DecadesOver(extent.xMin, extent.xMax);
        x.from = plot.left(), x.to = plot.right();
        plot::LogScale y = plot::DecadesOver(extent.yMin, extent.yMax);
        y.from = plot.bottom(), y.to = plot.top();

        DrawDecades(
            painter, x, kAcrossLabelPixels,
            [&](double at) { painter.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom())); },
            [&](double at, const QString& text) {
                painter.setPen(Qt::black);
                painter.drawText(QPointF(at - metrics.horizontalAdvance(text) / 2,
                                         plot.bottom() + 6 + metrics.ascent()),
                                 text);
            });
        DrawDecades(
            painter, y, kUpwardsLabelPixels,
            [&](double at) { painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at)); },
            [&](double at, const QString& text) {
                painter.setPen(Qt::black);
                painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(text),
                                         at + metrics.ascent() / 2 - 1),
                                 text);
            });

        painter.save();
        painter.setClipRect(plot.adjusted(-plot::kDotRadius - 1, -plot::kDotRadius - 1,
                                          plot::kDotRadius + 1, plot::kDotRadius + 1));
        DrawGoals(painter, data, x, y, plot);
        for (const TradeOffCurve& curve : data.curves) {
            QPainterPath path;
            for (const CurvePoint& point : curve.points) {
                const QPointF at(x.At(point.settlingSeconds * 1e3), y.At(point.worstRipple * 1e3));
                if (path.elementCount() == 0)
                    path.moveTo(at);
                else
                    path.lineTo(at);
            }
            painter.setPen(CurvePen(curve.colour));
            painter.drawPath(path);
        }
        for (const TradeOffCurve& curve : data.curves)
            if (curve.chosen)
                plot::DrawDot(painter,
                              QPointF(x.At(curve.chosen->settlingSeconds * 1e3),
                                      y.At(curve.chosen->worstRipple * 1e3)),
                              QColor::fromRgb(curve.colour));
        painter.restore();
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot);

    // The axes' titles: across under the settling's decades, upwards left of the ripple's.
    painter.setFont(titleFont);
    const QFontMetricsF titleMetrics(titleFont);
    const QString across = Text::tr("Assestamento ±½ LSB [ms]");
    painter.drawText(QPointF(plot.center().x() - titleMetrics.horizontalAdvance(across) / 2,
                             size.height() - 8),
                     across);
    const QString upwards = Text::tr("Ripple peggiore [mV]");
    painter.save();
    painter.translate(8 + titleMetrics.ascent(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QPointF(-titleMetrics.horizontalAdvance(upwards) / 2, 0), upwards);
    painter.restore();

    painter.setFont(labelFont);
    DrawLegend(painter, data, QPointF(plot.right() + kRightMargin + 8, plot.top()));
    painter.restore();
}

QImage TradeOffImage(const TradeOffData& data, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawTradeOff(painter, size, data);
    return image;
}

QString SaveTradeOffPicture(const QString& path, const TradeOffData& data, QSize size) {
    return plot::SavePicture(path, TradeOffImage(data, size),
                             Text::tr("Compromesso tra ripple e assestamento"),
                             [&](QPainter& painter) { DrawTradeOff(painter, size, data); });
}

} // namespace chooser_window
