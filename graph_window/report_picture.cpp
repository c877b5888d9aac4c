// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/report_picture.h"

#include "app/number_text.h"
#include "app/text.h"
#include "graph_window/plot_picture.h"
#include "graph_window/zoomed_drawing.h"
#include "plot/chart.h"
#include "plot/files.h"

#include <QPainter>

#include <cmath>

namespace graph_window {

namespace {

using app::Text;

constexpr int kTimeTicks = 8;

// A time unit: its name and the seconds it holds.
struct TimeUnit {
    const char* name;
    double seconds;
};

// µs below a millisecond, ms below a second, s beyond.
TimeUnit UnitFor(double seconds) {
    if (seconds < 1e-3)
        return {QT_TRANSLATE_NOOP("Velmaro", "t [µs]"), 1e-6};
    if (seconds < 1)
        return {QT_TRANSLATE_NOOP("Velmaro", "t [ms]"), 1e-3};
    return {QT_TRANSLATE_NOOP("Velmaro", "t [s]"), 1};
}

// The name and unit of a trace's band, and the factor from its samples to that unit.
struct BandName {
    const char* name;
    double factor;
};
BandName NameOf(Trace trace) {
    if (trace == Trace::Vi)
        return {QT_TRANSLATE_NOOP("Velmaro", "Vi [V]"), 1};
    if (trace == Trace::Ic)
        return {QT_TRANSLATE_NOOP("Velmaro", "iC [mA]"), 1e3};
    return {QT_TRANSLATE_NOOP("Velmaro", "Vo [V]"), 1};
}

} // namespace

QSize ReportSize(QSize picture) {
    const QRect area = plot::DataArea(QSize(1000, 1000));
    return picture + QSize(1000 - area.width(), 1000 - area.height());
}

QPoint FramedArea() { return plot::DataArea(QSize(1000, 1000)).topLeft(); }

void PaintReportFrame(QPainter& painter, const PlotPicture& plot, QSize picture) {
    const QSize size = ReportSize(picture);
    plot::ChartPainter chart(painter, size);
    chart.Background(app::kWhite);
    const QRect& area = chart.Area();
    // The picture's own pixels to the window's: the rows and columns user coordinates fall on.
    const PixelMapping toPixel = plot.Mapping();
    const double ratio = double(plot.Picture().width()) / std::max(picture.width(), 1);
    const auto row = [&](double y) {
        return area.top() + toPixel.RowPosition(float(y)) / ratio;
    };

    if (const std::optional<DrawnPlot>& drawn = plot.Drawn(); drawn && drawn->f > 0) {
        for (const TraceGeometry& band : kTraceGeometry) {
            const BandScale scale = ScaleOf(band.trace, *drawn, plot.View());
            const BandName name = NameOf(band.trace);
            for (const double height : {band.baseline, band.baseline + band.fullScale})
                chart.ValueLabel(row(height),
                                 app::FormatNumber(scale.Value(height, band) * name.factor,
                                                   app::NumberPattern::Scientific2),
                                 false, band.colour);
            chart.ValueLabel(row(band.baseline + band.fullScale / 2), Text::tr(name.name), true,
                             band.colour);
        }
        const AxisSpan span = SpanOf(plot.View(), drawn->NP);
        const double start = double(span.start) / drawn->f;
        const double end = double(span.start + span.length) / drawn->f;
        const TimeUnit unit = UnitFor(std::fabs(end));
        const plot::Ticks times =
            plot::TicksOver(start / unit.seconds, end / unit.seconds, kTimeTicks);
        const PlotCoordinates& c = kPlotCoordinates;
        for (const double t : times.values) {
            const double share = (t * unit.seconds - start) / (end - start);
            const double x = toPixel.ColumnPosition(float(c.left + share * (c.right - c.left)));
            chart.AxisLabel(int(std::floor(x / ratio + 0.5)),
                            app::FormatReading(t, plot::DecimalsFor(times.step)));
        }
        chart.Titles(QString(), QString(), Text::tr(unit.name));
    }
    chart.Frame();
}

QImage ReportImage(const PlotPicture& plot, const QImage& shown, double ratio) {
    const QSize picture(qRound(shown.width() / ratio), qRound(shown.height() / ratio));
    const QSize size = ReportSize(picture);
    QImage image(QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    PaintReportFrame(painter, plot, picture);
    painter.drawImage(QRectF(FramedArea(), QSizeF(shown.size()) / ratio), shown,
                      QRectF(shown.rect()));
    return image;
}

QString SaveReportPicture(const QString& path, const PlotPicture& plot, const QImage& shown,
                          double ratio) {
    const QSize picture(qRound(shown.width() / ratio), qRound(shown.height() / ratio));
    // An SVG counts in the picture's pixels, as an image does.
    return plot::SavePicture(path, ReportImage(plot, shown, ratio), Text::tr("Forme d'onda reali"),
                             [&](QPainter& painter) {
                                 painter.scale(ratio, ratio);
                                 PaintReportFrame(painter, plot, picture);
                                 painter.translate(FramedArea());
                                 painter.scale(1 / ratio, 1 / ratio);
                                 PaintView(painter, plot);
                             });
}

} // namespace graph_window
