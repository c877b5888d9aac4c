// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_area.h"

#include "graph_window/simulate_and_plot.h"
#include "graph_window/trace_drawing.h"
#include "graph_window/zoomed_drawing.h"

#include <cmath>

namespace graph_window {

PlotArea::PlotArea(app::Rgb background, QSize size, QWidget* parent)
    : MeasuringFrame(parent), background_(background) {
    resize(size);
    surface_ = std::make_unique<PlotPicture>(PictureSize(), background_);
    surface_->SetScale(kPlotCoordinates);
    // Drawing may make millions of lines in one go: ask for one repaint, not one per line.
    surface_->SetChangeListener([this] {
        shownStale_ = true;
        if (!repaintRequested_) {
            repaintRequested_ = true;
            update();
        }
        if (surface_->View() != announced_) {
            announced_ = surface_->View();
            emit ViewChanged();
        }
    });
}

void PlotArea::resizeEvent(QResizeEvent* event) {
    MeasuringFrame::resizeEvent(event);
    FitToScreen();
}

// The plot on show, drawn again with the view it had when the frame's size or the screen's
// pixel ratio changed.
void PlotArea::FitToScreen() {
    if (surface_->Picture().size() == PictureSize())
        return;
    const std::optional<DrawnPlot> drawn = surface_->Drawn();
    const PlotView view = surface_->View();
    surface_->Resize(PictureSize());
    surface_->SetScale(kPlotCoordinates);
    if (!drawn)
        return;
    DrawAxes(*surface_);
    DrawTraces(*surface_, *drawn->run, drawn->NP);
    surface_->SetDrawn(drawn);
    surface_->SetView(view);
}

const QImage& PlotArea::Picture() {
    const PlotPicture& surface = Surface();
    if (ShowsOwnPicture(surface))
        return surface.Picture();
    if (!shown_ || shownStale_) {
        shown_ = std::make_unique<PlotPicture>(ViewPicture(surface));
        shownStale_ = false;
    }
    return shown_->Picture();
}

void PlotArea::ChangeView(const std::function<PlotView(PlotView, const DrawnPlot&)>& change) {
    PlotPicture& surface = Surface();
    if (!surface.Drawn())
        return;
    const PlotView changed = change(surface.View(), *surface.Drawn());
    if (changed != surface.View())
        surface.SetView(changed);
}

std::pair<float, float> PlotArea::UserPosition(QPoint pixel) const {
    // The picture's pixel under the middle of the window's pixel.
    const double ratio = PixelRatio();
    const QPoint inPicture =
        ratio == 1 ? pixel
                   : QPoint(int(std::floor((pixel.x() + 0.5) * ratio)),
                            int(std::floor((pixel.y() + 0.5) * ratio)));
    return Surface().Mapping().UserPosition(inPicture);
}

AxisSpan PlotArea::Span() const {
    const std::optional<DrawnPlot>& plot = Surface().Drawn();
    return plot ? SpanOf(Surface().View(), plot->NP) : AxisSpan{};
}

SpanLimits PlotArea::Limits() const {
    const std::optional<DrawnPlot>& plot = Surface().Drawn();
    return plot ? LimitsOf(plot->N, plot->NP) : SpanLimits{};
}

void PlotArea::SetZoom(const std::optional<AxisSpan>& zoom) {
    ChangeView([&zoom](PlotView view, const DrawnPlot&) {
        view.zoom = zoom;
        return view;
    });
}

void PlotArea::SetFit(bool fit) {
    PlotView view = Surface().View();
    view.fit = fit;
    if (view != Surface().View())
        Surface().SetView(view);
}

void PlotArea::PlaceCursor(CursorName name, float x, Trace trace) {
    ChangeView([=](const PlotView& view, const DrawnPlot& plot) {
        return WithCursor(view, plot, name, ShareOf(x), trace);
    });
}

void PlotArea::ClearCursors() {
    ChangeView([](PlotView view, const DrawnPlot&) {
        view.a.reset();
        view.b.reset();
        view.measured = Trace::None;
        return view;
    });
}

void PlotArea::paintEvent(QPaintEvent* event) {
    FitToScreen(); // moved to a screen of another scale
    repaintRequested_ = false;
    MeasuringFrame::paintEvent(event);
}

// The cursors go back to where they were before the double-click's first click, and the whole
// plot is shown, in one change of the view.
void PlotArea::ShowWholeAfterDoubleClick(bool clicked) {
    const std::optional<PlotView> before = clicked ? beforeClick_ : std::nullopt;
    ChangeView([&before](PlotView view, const DrawnPlot&) {
        if (before) {
            view.a = before->a;
            view.b = before->b;
            view.measured = before->measured;
        }
        view.zoom.reset();
        return view;
    });
}

} // namespace graph_window
