#pragma once

// The plot area of the graph window: shows the retained picture in a sunken frame, reports
// pointer movements over the picture in user coordinates, and shows a tooltip.

#include "graph_window/plot_picture.h"

#include <QFrame>

#include <memory>

namespace graph_window {

class PlotArea : public QFrame {
    Q_OBJECT
public:
    explicit PlotArea(app::Rgb background, QWidget* parent = nullptr);

    // The drawing, the size of the inside of the frame: made, blank, on first use after the
    // window has placed the area (shown or not), and blanked to the new size should that size
    // change. It is the same object for the life of the area.
    PlotPicture& Surface();
    const QImage& Picture() { return Surface().Picture(); }
    QPoint ToPixel(float x, float y) { return Surface().ToPixel(x, y); }

    void SetToolTipText(const QString& text);

signals:
    // Every pointer movement over the picture, with or without a button held. Movements over
    // the frame are not over the plot and are not reported.
    void PointerMoved(Qt::MouseButtons buttons, bool shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    app::Rgb background_;
    std::unique_ptr<PlotPicture> surface_;
    bool repaintRequested_ = false;
};

} // namespace graph_window
