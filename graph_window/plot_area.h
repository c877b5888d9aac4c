// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot area of the graph window: shows the plot in a sunken frame, as its view makes it
// (zoomed_drawing.h), reports pointer movements over the picture in user coordinates, and shows a
// tooltip. The mouse and the keys measure on it as on every plot of the program
// (measuring_frame.h): zoom and pan of the time axis, a click reported for a cursor, a
// double-click for the whole plot, the focus frame and the menu from the keyboard.

#include "plot/measuring_frame.h"
#include "graph_window/plot_picture.h"

#include <QFrame>

#include <functional>
#include <memory>
#include <optional>

namespace graph_window {

class PlotArea : public plot::MeasuringFrame {
    Q_OBJECT
public:
    // An area of the size given, frame included; its drawing starts blank.
    PlotArea(app::Rgb background, QSize size, QWidget* parent = nullptr);

    // The drawing, the size of the inside of the frame in the screen's pixels (PictureSize), so
    // that at any scale a line is one pixel of the screen wide. It is the same object for the
    // life of the area; should the area change size or screen, the plot it holds is drawn again
    // at the new size.
    PlotPicture& Surface() const { return *surface_; }
    // The picture on show: the drawing itself, or the view of it, drawn on first use after a
    // change.
    const QImage& Picture() override;
    QPoint ToPixel(float x, float y) const { return Surface().ToPixel(x, y); }

    // Changes of the view of the plot on show (plot_view.h) beside those of the span; with no plot
    // on show only the fit, which stays for the plots to come, changes.
    void SetFit(bool fit);
    void PlaceCursor(CursorName name, float x, Trace trace);
    void ClearCursors() override;

signals:
    // The view changed: zoomed, moved, fitted, marked, or a new or blanked plot.
    void ViewChanged();

protected:
    bool HasPlot() const override { return Surface().Drawn().has_value(); }
    std::pair<float, float> UserPosition(QPoint pixel) const override;
    double ShareAt(float x) const override { return ShareOf(x); }
    AxisSpan Span() const override;
    SpanLimits Limits() const override;
    void SetZoom(const std::optional<AxisSpan>& zoom) override;
    void KeepCursorsBeforeClick() override { beforeClick_ = Surface().View(); }
    void ShowWholeAfterDoubleClick(bool clicked) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitToScreen();
    // The view made from the one on show, for the plot on show; nothing without a plot.
    void ChangeView(const std::function<PlotView(PlotView, const DrawnPlot&)>& change);

    app::Rgb background_;
    std::unique_ptr<PlotPicture> surface_;
    bool repaintRequested_ = false;
    std::unique_ptr<PlotPicture> shown_; // the view, when it is not the drawing itself
    bool shownStale_ = true;
    PlotView announced_;
    std::optional<PlotView> beforeClick_; // the view before the last click placed a cursor
};

} // namespace graph_window
