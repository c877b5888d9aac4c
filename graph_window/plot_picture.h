// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot's retained drawing, apart from any widget: a raster picture drawn on in user
// coordinates with one-pixel solid lines, no antialiasing, and what the plot on show was drawn
// with. The plot area shows it; the graph command and the read-out work on it alone.

#include "app/palette.h"
#include "engine/period_repeats.h"
#include "engine/simulation.h"
#include "graph_window/plot_geometry.h"
#include "graph_window/plot_view.h"
#include "plot/column_trace.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace graph_window {

// User coordinates turned into pixels of the picture, for the picture as it stands when the
// mapping is taken. Drawing that maps many points takes it once; the result is that of
// PlotPicture::ToPixel.
class PixelMapping {
public:
    QPoint operator()(float x, float y) const { return QPoint(Column(x), Row(y)); }
    int Column(float x) const { return RoundToPixel(ColumnPosition(x)); }
    int Row(float y) const { return RoundToPixel(RowPosition(y)); }

    // y in rows before rounding: Row(y) is the whole number nearest to it.
    double RowPosition(float y) const {
        return (double(y) - scale_.top) * lastRow_ / (scale_.bottom - scale_.top);
    }

    // x in columns before rounding: Column(x) is the whole number nearest to it.
    double ColumnPosition(float x) const {
        return (double(x) - scale_.left) * lastColumn_ / (scale_.right - scale_.left);
    }

    // The user coordinates of a pixel, as the pointer reports them.
    std::pair<float, float> UserPosition(QPoint pixel) const {
        return {float(scale_.left + pixel.x() * (scale_.right - scale_.left) / lastColumn_),
                float(scale_.top + pixel.y() * (scale_.bottom - scale_.top) / lastRow_)};
    }

    // Halves round up; positions far outside the picture are all the same: off the picture.
    static int RoundToPixel(double position) { return plot::NearestPixel(position); }

private:
    friend class PlotPicture;

    PlotCoordinates scale_{};
    int lastColumn_ = 1, lastRow_ = 1;
};

// Lines in pixels of the picture, all in one colour, for drawing that makes many of them: the
// picture is looked up once, when the pen is taken, instead of at every line. A pen serves one
// drawing that runs to its end, on one thread: take it, draw, drop it.
class PixelPen {
public:
    // Both end points included; pixels off the picture are left out.
    void Line(QPoint from, QPoint to) const;

private:
    friend class PlotPicture;
    PixelPen(QImage& picture, app::Rgb colour);

    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_, height_;
    app::Rgb colour_;
};

// What the plot on show was drawn with: the read-out and the clipboard read these, never the
// settings that a later command stored and perhaps refused, nor arrays that a later run writes.
struct DrawnPlot {
    std::int32_t N = 0;                          // samples per period
    std::int32_t NP = 0;                         // periods drawn side by side
    double f = 0;                                // frequency, Hz
    double dt = 0;                               // time step, s
    TraceScales scales;                          // the largest magnitudes that scaled the traces
    std::int32_t NI = 0;                         // periods simulated
    std::optional<engine::Periodicity> periodic; // where the run became periodic, if it did
    std::shared_ptr<const engine::SimulatedRun> run; // the run drawn: its samples and statistics
};

class PlotPicture {
public:
    PlotPicture(QSize size, app::Rgb background);

    // The user coordinates of the top-left and of the bottom-right pixel.
    void SetScale(const PlotCoordinates& scale) { scale_ = scale; }

    PixelMapping Mapping() const;
    QPoint ToPixel(float x, float y) const { return Mapping()(x, y); }

    // A line in user coordinates, both end points included, in the drawing colour (black) or in
    // the colour given.
    void Line(float x1, float y1, float x2, float y2);
    void Line(float x1, float y1, float x2, float y2, app::Rgb colour);
    PixelPen Pen(app::Rgb colour);

    // Back to the background colour: nothing drawn, no plot on show, and so nothing zoomed or
    // marked.
    void Blank();

    // A blank picture of another size, in this same object, so that whoever holds it keeps a
    // valid reference: no plot on show.
    void Resize(QSize size);

    // A copy to draw on elsewhere, on another thread: its own pixels, the same scale, no plot
    // on show and nobody listening.
    PlotPicture Detached() const;
    // The pixels of such a copy, once drawn, in place of this picture's.
    void TakePixels(PlotPicture&& drawn);

    // The plot on show, once its traces are drawn; nothing after blanking. A new one, or none,
    // is seen in full (View().ForNewPlot()).
    const std::optional<DrawnPlot>& Drawn() const { return drawn_; }
    void SetDrawn(const std::optional<DrawnPlot>& drawn) {
        drawn_ = drawn;
        view_ = view_.ForNewPlot();
        Changed();
    }

    // What part of the plot is on show, and what is marked on it. The picture above stays the
    // whole plot as drawn; whoever shows the plot draws the view from it (zoomed_drawing.h).
    const PlotView& View() const { return view_; }
    void SetView(const PlotView& view) {
        view_ = view;
        Changed();
    }

    const QImage& Picture() const { return picture_; }
    app::Rgb Background() const { return background_; }

    // Called whenever the picture changes, so that whoever shows it can repaint.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void Changed() {
        if (listener_)
            listener_();
    }

    QImage picture_;
    app::Rgb background_;
    PlotCoordinates scale_{0, 0, 1, 1};
    std::optional<DrawnPlot> drawn_;
    PlotView view_;
    std::function<void()> listener_;
};

} // namespace graph_window
