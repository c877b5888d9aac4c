#include "graph_window/plot_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace graph_window {

PlotArea::PlotArea(app::Rgb background, QWidget* parent) : QFrame(parent), background_(background) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PlotPicture& PlotArea::Surface() {
    if (!surface_) {
        surface_ = std::make_unique<PlotPicture>(contentsRect().size(), background_);
        surface_->SetScale(kPlotCoordinates);
        // Drawing may make millions of lines in one go: ask for one repaint, not one per line.
        surface_->SetChangeListener([this] {
            if (!repaintRequested_) {
                repaintRequested_ = true;
                update();
            }
        });
    } else if (surface_->Picture().size() != contentsRect().size()) {
        surface_->Resize(contentsRect().size());
    }
    return *surface_;
}

void PlotArea::SetToolTipText(const QString& text) {
    setToolTip(text);
    // A tooltip on show follows the reading instead of waiting for the next hover.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), text, this);
}

void PlotArea::paintEvent(QPaintEvent* event) {
    repaintRequested_ = false;
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Surface().Picture());
}

void PlotArea::mouseMoveEvent(QMouseEvent* event) {
    QFrame::mouseMoveEvent(event);
    const QPoint position = event->position().toPoint();
    if (!contentsRect().contains(position))
        return;
    const auto [x, y] = Surface().Mapping().UserPosition(position - contentsRect().topLeft());
    emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier), x, y);
}

} // namespace graph_window
