// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plot that the user measures on, as every plot of the program does: a picture in a sunken
// frame whose horizontal axis (span.h) the mouse and the keys move. The wheel zooms the axis
// about the pointer, a drag with the left button moves the picture as a map is moved, a left click
// is reported for a cursor (Shift for cursor B), a double-click shows the whole axis again with
// the cursors as they were before its first click. It takes the focus with Tab and with a click,
// and then shows a frame in the highlight colour around the picture; with the focus, "A" and "B"
// ask for a cursor, and the Menu key and Shift+F10 open its menu (plot_menu.h). What is drawn, what a position
// stands for and what the cursors are belong to each plot.

#include "plot/span.h"

#include <QFrame>
#include <QImage>

#include <functional>
#include <optional>
#include <utility>

namespace plot {

class MeasuringFrame : public QFrame {
    Q_OBJECT
public:
    // How far, in pixels, the pointer moves with the left button down before a click becomes a
    // drag.
    static constexpr int kDragDistance = 4;

    explicit MeasuringFrame(QWidget* parent = nullptr);

    // The picture on show: the inside of the frame in the screen's pixels (PictureSize).
    virtual const QImage& Picture() = 0;

    // The screen's pixels per pixel of the window, and the inside of the frame counted in them:
    // a plot is drawn at this size, so that its lines are sharp at any scale.
    double PixelRatio() const;
    QSize PictureSize() const;

    void SetToolTipText(const QString& text);

    // Where the pointer last was over the part of the picture that measures, in the plot's
    // coordinates; none once it has left.
    const std::optional<std::pair<float, float>>& LastPointer() const { return lastPointer_; }
    // Where the menu opens from the keyboard: where the pointer reads, or in the middle.
    QPoint MenuPosition() const { return lastPointer_ ? lastPosition_ : contentsRect().center(); }

    // Changes of the span on show; nothing while no plot is on show.
    void ZoomAboutCentre(long double factor);
    void MoveBy(long double share);
    void ShowWhole();
    virtual void ClearCursors() = 0;

signals:
    // Every pointer movement over the part of the picture that measures, with or without a
    // button held, in the plot's coordinates. Movements over the frame are not reported.
    void PointerMoved(Qt::MouseButtons buttons, bool shift, float x, float y);
    // A left click there: pressed and released within kDragDistance pixels.
    void Clicked(bool shift, float x, float y);
    // A cursor asked for from the keyboard ("A" or "B" with the focus on the plot).
    void CursorKeyPressed(CursorName name);

protected:
    // ---- What each plot answers ----
    // Whether a plot is on show, to measure on.
    virtual bool HasPlot() const = 0;
    // The plot's coordinates of a pixel of the picture (from its top-left pixel), any pixel.
    virtual std::pair<float, float> UserPosition(QPoint pixel) const = 0;
    // Whether a pixel of the picture lies where the plot measures; all of it unless told.
    virtual bool Measures(QPoint pixel) const;
    // The share of the span's width at which an x of the plot's coordinates lies.
    virtual double ShareAt(float x) const = 0;
    // The span on show and its limits, and a new zoom (none: the whole axis); a zoom that is the
    // one on show changes nothing.
    virtual AxisSpan Span() const = 0;
    virtual SpanLimits Limits() const = 0;
    virtual void SetZoom(const std::optional<AxisSpan>& zoom) = 0;
    // The cursors as they are before a click places one, kept for a double-click.
    virtual void KeepCursorsBeforeClick() = 0;
    // The second press of a double-click: the whole axis, and the cursors as they were before its
    // first click when that click placed one (clicked).
    virtual void ShowWholeAfterDoubleClick(bool clicked) = 0;

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The plot's coordinates of a position in the widget; none over the frame or where the plot
    // does not measure.
    std::optional<std::pair<float, float>> OnPicture(QPoint position) const;

    // The left button down on the picture.
    struct Press {
        QPoint position;
        double share;
        AxisSpan span;
        bool dragging = false;
    };

    std::optional<Press> press_;
    bool clicked_ = false; // the last press ended in a click, which kept the cursors before it
    std::optional<std::pair<float, float>> lastPointer_;
    QPoint lastPosition_; // where the pointer was then, in the widget
};

// The measuring keys of a window, which act whichever of its controls has the focus, on the plot
// that plot answers with when they are pressed: "+" and "-" zoom in and out by 1.25 about the
// middle, Left and Right move by a tenth of the span, Home shows the whole axis, Escape clears
// the cursors.
void AddMeasuringKeys(QWidget& window, std::function<MeasuringFrame&()> plot);

} // namespace plot
