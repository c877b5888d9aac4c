// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/trade_off.h"

#include "app/control_table.h"
#include "app/save_file.h"
#include "app/text.h"
#include "graph_window/plot_files.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace chooser_window {

using app::MakeRgb, app::Text;

namespace {

// One colour per candidate, in the table's order: dark enough to read on white, far apart in hue.
constexpr app::Rgb kCurveColours[] = {MakeRgb(0, 0, 200), MakeRgb(200, 0, 0), MakeRgb(0, 130, 0),
                                      MakeRgb(150, 0, 170), MakeRgb(210, 105, 0)};
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
constexpr int kLegendRow = 18;
constexpr int kLegendSample = 26;
constexpr double kDotRadius = 4.5;

bool Plottable(double value) { return value > 0 && std::isfinite(value); }

// A logarithmic axis over whole decades, from the decade lo at pixel `from` to hi at `to`.
struct LogAxis {
    int lo = 0, hi = 1;
    double from = 0, to = 1;

    double At(double value) const {
        return from + (std::log10(value) - lo) / (hi - lo) * (to - from);
    }
};

// The decades that hold every value of a range (min <= max, both plottable).
LogAxis DecadesOver(double min, double max) {
    LogAxis axis;
    axis.lo = int(std::floor(std::log10(min)));
    axis.hi = int(std::ceil(std::log10(max)));
    if (axis.hi <= axis.lo)
        axis.hi = axis.lo + 1;
    return axis;
}

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

void DrawDot(QPainter& painter, QPointF at, app::Rgb colour) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawEllipse(at, kDotRadius, kDotRadius);
    painter.setBrush(Qt::NoBrush);
}

// The decade lines and their labels of one axis: every `step`-th decade labelled, the lines of
// 2…9 in between when a decade is wide enough to show them.
template <class Line, class Label>
void DrawDecades(QPainter& painter, const LogAxis& axis, int maxLabels, Line line, Label label) {
    const int step = std::max(1, int(std::ceil(double(axis.hi - axis.lo) / maxLabels)));
    const bool minor = std::abs(axis.to - axis.from) / (axis.hi - axis.lo) >= 40;
    for (int decade = axis.lo; decade <= axis.hi; ++decade) {
        if (minor && decade < axis.hi) {
            painter.setPen(QPen(kMinorGrid, 1));
            for (int m = 2; m <= 9; ++m)
                line(axis.At(m * std::pow(10.0, decade)));
        }
        painter.setPen(QPen(kGrid, 1));
        line(axis.At(std::pow(10.0, decade)));
        if ((decade - axis.lo) % step == 0)
            label(axis.At(std::pow(10.0, decade)), DecadeText(decade));
    }
}

// The goals: for each different LSB, a dashed box from the axes to (the limit, 1 LSB), its top in
// the candidate's colour when there are several; without a limit, the tops alone across the plot.
void DrawGoals(QPainter& painter, const TradeOffData& data, const LogAxis& x, const LogAxis& y,
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
    const QFontMetricsF metrics(painter.font());
    const auto text = [&](double row, const QString& caption) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(at.x() + kLegendSample + 8, row + metrics.ascent() / 2 - 1),
                         caption);
    };
    double row = at.y() + kLegendRow / 2.0;
    for (const TradeOffCurve& curve : data.curves) {
        painter.setPen(CurvePen(curve.colour));
        painter.drawLine(QPointF(at.x(), row), QPointF(at.x() + kLegendSample, row));
        text(row, curve.name);
        row += kLegendRow;
    }
    row += kLegendRow / 2.0;
    DrawDot(painter, QPointF(at.x() + kLegendSample / 2.0, row), app::MakeRgb(128, 128, 128));
    text(row, Text::tr("Componente scelto"));
    row += kLegendRow;
    painter.setPen(GoalPen(kGoalColour));
    painter.drawLine(QPointF(at.x(), row), QPointF(at.x() + kLegendSample, row));
    text(row, data.maxSettlingSeconds ? Text::tr("Obiettivo (1 LSB, limite)")
                                      : Text::tr("Obiettivo (1 LSB)"));
}

// "1.5e-07" with the decimal point given: as few digits as read back to the same double.
QString Shortest(double value, const QString& decimalPoint) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, error == std::errc() ? end - buffer : 0);
    return text.replace(QLatin1Char('.'), decimalPoint);
}

// The image format a picture's name asks for, PNG for a name that asks for none the program
// writes.
QByteArray ImageFormat(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    for (const char* format : {"png", "jpg", "jpeg", "bmp"})
        if (suffix == format && QImageWriter::supportedImageFormats().contains(suffix))
            return suffix;
    return QByteArrayLiteral("png");
}

} // namespace

TradeOffData TradeOffOf(const FilterChoice& choice) {
    const engine::ChooserInput input = InputOf(choice.design, choice.limits.bits);
    TradeOffData data{{}, choice.limits.maxSettlingSeconds};
    constexpr int kSteps = kSweepDecades * kPointsPerDecade;
    for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
        const engine::FilterCandidate& candidate = choice.candidates[i];
        TradeOffCurve curve{FilterName(candidate.k), kCurveColours[i % std::size(kCurveColours)],
                            {}, std::nullopt, engine::LeastSignificantBit(input, candidate.k)};
        if (candidate.c && candidate.worstRipple && candidate.settlingSeconds) {
            curve.chosen = CurvePoint{*candidate.c, candidate.c2, *candidate.worstRipple,
                                      *candidate.settlingSeconds};
            for (int step = 0; step <= kSteps; ++step) {
                const double c =
                    *candidate.c * std::pow(10.0, double(step - kSteps / 2) / kPointsPerDecade);
                const std::optional<engine::TradeOffPoint> point =
                    engine::TradeOffAt(input, candidate.k, c);
                if (point && Plottable(point->worstRipple) && Plottable(point->settlingSeconds))
                    curve.points.push_back(
                        {c, candidate.k ? std::optional(c / *candidate.k) : std::nullopt,
                         point->worstRipple, point->settlingSeconds});
            }
        }
        data.curves.push_back(std::move(curve));
    }
    return data;
}

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
        LogAxis x = DecadesOver(extent.xMin, extent.xMax);
        x.from = plot.left(), x.to = plot.right();
        LogAxis y = DecadesOver(extent.yMin, extent.yMax);
        y.from = plot.bottom(), y.to = plot.top();

        DrawDecades(
            painter, x, std::max(1, int(plot.width() / 60)),
            [&](double at) { painter.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom())); },
            [&](double at, const QString& text) {
                painter.setPen(Qt::black);
                painter.drawText(QPointF(at - metrics.horizontalAdvance(text) / 2,
                                         plot.bottom() + 6 + metrics.ascent()),
                                 text);
            });
        DrawDecades(
            painter, y, std::max(1, int(plot.height() / 24)),
            [&](double at) { painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at)); },
            [&](double at, const QString& text) {
                painter.setPen(Qt::black);
                painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(text),
                                         at + metrics.ascent() / 2 - 1),
                                 text);
            });

        painter.save();
        painter.setClipRect(plot.adjusted(-kDotRadius - 1, -kDotRadius - 1, kDotRadius + 1,
                                          kDotRadius + 1));
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
                DrawDot(painter,
                        QPointF(x.At(curve.chosen->settlingSeconds * 1e3),
                                y.At(curve.chosen->worstRipple * 1e3)),
                        curve.colour);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return app::SaveFailureMessage(path, app::WhyNotWritable(path));
    bool written;
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(Text::tr("Compromesso tra ripple e assestamento"));
        svg.setDescription(app::ProgramTitle());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) {
            DrawTradeOff(painter, size, data);
            written = painter.end();
        }
    } else {
        QImageWriter writer(&file, ImageFormat(path));
        written = writer.write(TradeOffImage(data, size));
    }
    if (!written || !app::Committed(file))
        return app::SaveFailureMessage(path, app::WriteFailed());
    return {};
}

QString TradeOffTable(const TradeOffData& data, const QString& decimalPoint) {
    const QString separator = graph_window::CsvSeparator(decimalPoint);
    const QStringList header{Text::tr("Filtro"), Text::tr("C [nF]"), Text::tr("C2 [nF]"),
                             Text::tr("Ripple peggiore [mV]"), Text::tr("Assestamento ±½ LSB [ms]")};
    QString table = header.join(separator) + u'\n';
    for (const TradeOffCurve& curve : data.curves)
        for (const CurvePoint& point : curve.points)
            table += QStringList{u'"' + curve.name + u'"', Shortest(point.c * 1e9, decimalPoint),
                                 point.c2 ? Shortest(*point.c2 * 1e9, decimalPoint) : QString(),
                                 Shortest(point.worstRipple * 1e3, decimalPoint),
                                 Shortest(point.settlingSeconds * 1e3, decimalPoint)}
                         .join(separator) +
                     u'\n';
    return table;
}

QString WriteTradeOffCsv(const QString& path, const TradeOffData& data,
                         const QString& decimalPoint) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return app::SaveFailureMessage(path, app::WhyNotWritable(path));
    const QByteArray bytes = TradeOffTable(data, decimalPoint).toUtf8();
    if (file.write(bytes) != bytes.size() || !app::Committed(file))
        return app::SaveFailureMessage(path, app::WriteFailed());
    return {};
}

} // namespace chooser_window
