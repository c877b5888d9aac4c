// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_area.h"

#include "graph_window/simulate_and_plot.h"
#include "graph_window/trace_drawing.h"
#include "graph_window/zoomed_drawing.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace graph_window {

PlotArea::PlotArea(app::Rgb background, QSize size, QWidget* parent)
    : QFrame(parent), background_(background) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(size);
    surface_ = std::make_unique<PlotPicture>(contentsRect().size(), background_);
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

// The plot on show, drawn again at the new size with the view it had.
void PlotArea::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (surface_->Picture().size() == contentsRect().size())
        return;
    const std::optional<DrawnPlot> drawn = surface_->Drawn();
    const PlotView view = surface_->View();
    surface_->Resize(contentsRect().size());
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

void PlotArea::SetToolTipText(const QString& text) {
    setToolTip(text);
    // A tooltip on show follows the reading instead of waiting for the next hover.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), text, this);
}

void PlotArea::ChangeView(const std::function<PlotView(PlotView, const DrawnPlot&)>& change) {
    PlotPicture& surface = Surface();
    if (!surface.Drawn())
        return;
    const PlotView changed = change(surface.View(), *surface.Drawn());
    if (changed != surface.View())
        surface.SetView(changed);
}

void PlotArea::ZoomAboutCentre(long double factor) {
    ChangeView([factor](PlotView view, const DrawnPlot& plot) {
        view.zoom = ZoomedAbout(SpanOf(view, plot.NP), 0.5, factor, LimitsOf(plot.N, plot.NP));
        return view;
    });
}

void PlotArea::MoveBy(long double share) {
    ChangeView([share](PlotView view, const DrawnPlot& plot) {
        view.zoom = Shifted(SpanOf(view, plot.NP), share, LimitsOf(plot.N, plot.NP));
        return view;
    });
}

void PlotArea::ShowWhole() {
    ChangeView([](PlotView view, const DrawnPlot&) {
        view.zoom.reset();
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
    repaintRequested_ = false;
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Picture());
    // The focus shows on the frame, so that the picture stays as drawn.
    if (hasFocus()) {
        const int width = frameWidth();
        const QColor highlight = palette().color(QPalette::Highlight);
        const QRect outer = rect();
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), highlight);
        painter.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width),
                         highlight);
        painter.fillRect(QRect(outer.left(), outer.top(), width, outer.height()), highlight);
        painter.fillRect(QRect(outer.right() - width + 1, outer.top(), width, outer.height()),
                         highlight);
    }
}

void PlotArea::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void PlotArea::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void PlotArea::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    lastPointer_.reset();
}

// The plot's menu from the keyboard, where the pointer reads or in the middle; the cursors at
// the point read, or in the middle of the view.
void PlotArea::keyPressEvent(QKeyEvent* event) {
    const bool menu = event->key() == Qt::Key_Menu ||
                      (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menu) {
        const QPoint at = lastPointer_ ? Surface().ToPixel(lastPointer_->first, lastPointer_->second) +
                                             contentsRect().topLeft()
                                       : contentsRect().center();
        emit customContextMenuRequested(at);
        return event->accept();
    }
    if ((event->key() == Qt::Key_A || event->key() == Qt::Key_B) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        emit CursorKeyPressed(event->key() == Qt::Key_A ? CursorName::A : CursorName::B);
        return event->accept();
    }
    QFrame::keyPressEvent(event);
}

std::optional<std::pair<float, float>> PlotArea::OnPicture(QPoint position) {
    if (!contentsRect().contains(position))
        return std::nullopt;
    return Surface().Mapping().UserPosition(position - contentsRect().topLeft());
}

void PlotArea::mouseMoveEvent(QMouseEvent* event) {
    QFrame::mouseMoveEvent(event);
    const QPoint position = event->position().toPoint();
    if (press_ && event->buttons().testFlag(Qt::LeftButton)) {
        press_->dragging |= (position - press_->position).manhattanLength() >= kDragDistance;
        if (press_->dragging) {
            // Beyond the frame too: the picture follows the pointer until the button goes up.
            const double share = ShareOf(
                Surface().Mapping().UserPosition(position - contentsRect().topLeft()).first);
            ChangeView([this, share](PlotView view, const DrawnPlot& plot) {
                view.zoom = Dragged(SpanOf(press_->view, plot.NP), press_->share, share,
                                    LimitsOf(plot.N, plot.NP));
                return view;
            });
        }
    }
    if (const auto at = OnPicture(position)) {
        lastPointer_ = at;
        emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier),
                          at->first, at->second);
    }
}

void PlotArea::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !Surface().Drawn())
        return;
    beforeClick_.reset();
    if (const auto at = OnPicture(position))
        press_ = Press{position, ShareOf(at->first), Surface().View()};
}

void PlotArea::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !press_)
        return;
    const Press press = *press_;
    press_.reset();
    if (press.dragging)
        return;
    // Released over the frame, the click is where the button went down.
    auto at = OnPicture(event->position().toPoint());
    if (!at)
        at = OnPicture(press.position);
    if (!at)
        return;
    beforeClick_ = Surface().View();
    emit Clicked(event->modifiers().testFlag(Qt::ShiftModifier), at->first, at->second);
}

// The second press of a double-click: the cursors go back to where they were before its first
// click, and the whole plot is shown.
void PlotArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !OnPicture(event->position().toPoint()))
        return QFrame::mouseDoubleClickEvent(event);
    press_.reset();
    const std::optional<PlotView> before = beforeClick_;
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

void PlotArea::wheelEvent(QWheelEvent* event) {
    const QPoint position = event->position().toPoint();
    const auto at = OnPicture(position);
    const int angle = event->angleDelta().y();
    if (!at || angle == 0 || !Surface().Drawn())
        return QFrame::wheelEvent(event);
    event->accept();
    ChangeView([share = ShareOf(at->first), angle](PlotView view, const DrawnPlot& plot) {
        view.zoom = ZoomedAbout(SpanOf(view, plot.NP), share, WheelFactor(angle),
                                LimitsOf(plot.N, plot.NP));
        return view;
    });
    // The reading under the pointer follows the new span.
    emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier), at->first,
                      at->second);
}

} // namespace graph_window
