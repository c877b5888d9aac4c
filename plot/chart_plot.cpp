// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/chart_plot.h"

#include <QPainter>

namespace plot {

ChartPlot::ChartPlot(app::Rgb background, QSize size, QWidget* parent)
    : MeasuringFrame(parent), background_(background) {
    resize(size);
}

void ChartPlot::SetChart(std::shared_ptr<const Chart> chart) {
    chart_ = std::move(chart);
    view_ = {};
    beforeClick_ = {};
    stale_ = true;
    update();
    emit ViewChanged();
}

const QImage& ChartPlot::Picture() {
    if (stale_ || picture_.size() != PictureSize()) {
        picture_ = QImage(PictureSize(), QImage::Format_RGB32);
        picture_.setDevicePixelRatio(PixelRatio());
        QPainter painter(&picture_);
        PaintOn(painter);
        stale_ = false;
    }
    return picture_;
}

void ChartPlot::PaintOn(QPainter& painter) const {
    const QSize size = contentsRect().size();
    if (chart_)
        chart_->Paint(painter, size, view_);
    else
        painter.fillRect(QRect(QPoint(0, 0), size), QColor::fromRgb(background_));
}

AxisSpan ChartPlot::Span() const {
    return SpanOr(view_.zoom, chart_ ? chart_->Limits().whole : 0);
}

double ChartPlot::ShareAt(float x) const {
    const QRect area = Area();
    return (double(x) - area.left() + 0.5) / area.width();
}

long double ChartPlot::PositionAt(float x) const { return Span().At(ShareAt(x)); }

SpanLimits ChartPlot::Limits() const { return chart_ ? chart_->Limits() : SpanLimits{}; }

void ChartPlot::SetZoom(const std::optional<AxisSpan>& zoom) {
    AxisView view = view_;
    view.zoom = zoom;
    SetView(view);
}

void ChartPlot::PlaceCursor(CursorName name, long double position) {
    if (!chart_)
        return;
    AxisView view = view_;
    (name == CursorName::A ? view.a : view.b) = position;
    SetView(view);
}

void ChartPlot::ClearCursors() {
    AxisView view = view_;
    view.a.reset();
    view.b.reset();
    SetView(view);
}

void ChartPlot::ShowWholeAfterDoubleClick(bool clicked) {
    AxisView view = view_;
    if (clicked) {
        view.a = beforeClick_.a;
        view.b = beforeClick_.b;
    }
    view.zoom.reset();
    SetView(view);
}

void ChartPlot::SetView(const AxisView& view) {
    if (!chart_ || view == view_)
        return;
    view_ = view;
    stale_ = true;
    update();
    emit ViewChanged();
}

} // namespace plot
