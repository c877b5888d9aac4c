// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/column_trace.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace plot {

void PainterSink::SetColour(app::Rgb colour, bool dashed) {
    Flush();
    colour_ = colour;
    dashed_ = dashed;
}

void PainterSink::Line(QPoint from, QPoint to) {
    const QPointF centre(0.5, 0.5);
    path_.moveTo(QPointF(from) + centre);
    path_.lineTo(QPointF(to) + centre);
}

void PainterSink::Flush() {
    if (path_.isEmpty())
        return;
    QPen pen(QColor::fromRgb(colour_), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (dashed_)
        pen.setDashPattern({qreal(kDashLength - 1), qreal(kDashLength + 1)});
    painter_.strokePath(path_, pen);
    path_.clear();
}

void ClippedLine(LineSink& sink, QPointF from, QPointF to, QSize size) {
    double t0 = 0, t1 = 1;
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double limits[4][2] = {{-dx, from.x() + 1},
                                 {dx, size.width() - from.x()},
                                 {-dy, from.y() + 1},
                                 {dy, size.height() - from.y()}};
    for (const auto& [p, q] : limits) {
        if (p == 0) {
            if (q < 0)
                return;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (!(t0 <= t1))
        return;
    const auto round = [](double x, double y) { return QPoint(NearestPixel(x), NearestPixel(y)); };
    sink.Line(round(from.x() + t0 * dx, from.y() + t0 * dy),
              round(from.x() + t1 * dx, from.y() + t1 * dy));
}

} // namespace plot
