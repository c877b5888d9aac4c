// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart (chart.h) in a sunken frame, measured on as every plot of the program is
// (measuring_frame.h): the wheel, a drag, Left, Right, "+", "-" and Home move its horizontal
// axis, a click places cursor A and Shift+click cursor B at the pointer's position, anywhere
// along the axis. The pointer measures over the chart's data area only.

#include "plot/chart.h"
#include "plot/measuring_frame.h"

#include <QImage>

#include <memory>

namespace plot {

class ChartPlot : public MeasuringFrame {
    Q_OBJECT
public:
    // A plot of the size given, frame included, with nothing on show.
    ChartPlot(app::Rgb background, QSize size, QWidget* parent = nullptr);

    // A new chart, or none: the whole axis, no cursors.
    void SetChart(std::shared_ptr<const Chart> chart);
    const std::shared_ptr<const Chart>& ShownChart() const { return chart_; }
    const AxisView& View() const { return view_; }

    // The picture on show: the chart in its view, drawn on first use after a change, in the
    // screen's pixels (its device pixel ratio set); the chart paints in the window's.
    const QImage& Picture() override;
    // The chart in its view painted on painter, as the picture shows it (the SVG file).
    void PaintOn(QPainter& painter) const;

    // Where the chart's data go in the picture, and the span on show.
    QRect Area() const { return DataArea(contentsRect().size()); }
    AxisSpan Span() const override;
    // The axis position under a pixel column of the picture: the middle of its stretch.
    long double PositionAt(float x) const;

    void PlaceCursor(CursorName name, long double position);
    void ClearCursors() override;

signals:
    // The view changed: zoomed, moved, marked, or a new chart.
    void ViewChanged();

protected:
    bool HasPlot() const override { return chart_ != nullptr; }
    std::pair<float, float> UserPosition(QPoint pixel) const override {
        return {float(pixel.x()), float(pixel.y())};
    }
    bool Measures(QPoint pixel) const override { return Area().contains(pixel); }
    double ShareAt(float x) const override;
    SpanLimits Limits() const override;
    void SetZoom(const std::optional<AxisSpan>& zoom) override;
    void KeepCursorsBeforeClick() override { beforeClick_ = view_; }
    void ShowWholeAfterDoubleClick(bool clicked) override;

private:
    void SetView(const AxisView& view);

    app::Rgb background_;
    std::shared_ptr<const Chart> chart_;
    AxisView view_;
    AxisView beforeClick_;
    QImage picture_;
    bool stale_ = true;
};

} // namespace plot
