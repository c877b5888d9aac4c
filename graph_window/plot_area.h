// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot area of the graph window: shows the plot in a sunken frame, as its view makes it
// (zoomed_drawing.h), reports pointer movements over the picture in user coordinates, and shows a
// tooltip. The mouse measures on it: the wheel zooms the time axis about the pointer, a drag with
// the left button moves the picture as a map is moved, a left click is reported for a cursor and a
// double-click shows the whole plot again. It takes the focus with Tab and with a click, and then
// shows a frame in the highlight colour; the Menu key and Shift+F10 open its menu.

#include "graph_window/plot_picture.h"

#include <QFrame>

#include <functional>
#include <memory>
#include <optional>

namespace graph_window {

class PlotArea : public QFrame {
    Q_OBJECT
public:
    // How far, in pixels, the pointer moves with the left button down before a click becomes a
    // drag.
    static constexpr int kDragDistance = 4;

    // An area of the size given, frame included; its drawing starts blank.
    PlotArea(app::Rgb background, QSize size, QWidget* parent = nullptr);

    // The drawing, the size of the inside of the frame. It is the same object for the life of the
    // area; should the area change size, the plot it holds is drawn again at the new size.
    PlotPicture& Surface() const { return *surface_; }
    // The picture on show: the drawing itself, or the view of it, drawn on first use after a
    // change.
    const QImage& Picture();
    QPoint ToPixel(float x, float y) const { return Surface().ToPixel(x, y); }

    void SetToolTipText(const QString& text);

    // Where the pointer last was over the picture, in user coordinates; none once it has left.
    const std::optional<std::pair<float, float>>& LastPointer() const { return lastPointer_; }

    // Changes of the view of the plot on show (plot_view.h); with no plot on show only the fit,
    // which stays for the plots to come, changes.
    void ZoomAboutCentre(long double factor);
    void MoveBy(long double share);
    void ShowWhole();
    void SetFit(bool fit);
    void PlaceCursor(CursorName name, float x, Trace trace);
    void ClearCursors();

signals:
    // Every pointer movement over the picture, with or without a button held. Movements over
    // the frame are not over the plot and are not reported.
    void PointerMoved(Qt::MouseButtons buttons, bool shift, float x, float y);
    // A left click on the picture: pressed and released within kDragDistance pixels.
    void Clicked(bool shift, float x, float y);
    // The view changed: zoomed, moved, fitted, marked, or a new or blanked plot.
    void ViewChanged();
    // A cursor asked for from the keyboard ("A" or "B" with the focus on the plot).
    void CursorKeyPressed(CursorName name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
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
    // The user coordinates of a position in the area; none over the frame.
    std::optional<std::pair<float, float>> OnPicture(QPoint position);
    // The view made from the one on show, for the plot on show; nothing without a plot.
    void ChangeView(const std::function<PlotView(PlotView, const DrawnPlot&)>& change);

    // The left button down on the picture.
    struct Press {
        QPoint position;
        double share;
        PlotView view;
        bool dragging = false;
    };

    app::Rgb background_;
    std::unique_ptr<PlotPicture> surface_;
    bool repaintRequested_ = false;
    std::unique_ptr<PlotPicture> shown_; // the view, when it is not the drawing itself
    bool shownStale_ = true;
    PlotView announced_;
    std::optional<Press> press_;
    std::optional<PlotView> beforeClick_; // the view before the last click placed a cursor
    std::optional<std::pair<float, float>> lastPointer_;
};

} // namespace graph_window
