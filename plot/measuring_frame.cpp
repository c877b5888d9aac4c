// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/measuring_frame.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QToolTip>
#include <QWheelEvent>

namespace plot {

MeasuringFrame::MeasuringFrame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

bool MeasuringFrame::Measures(QPoint) const { return true; }

void MeasuringFrame::SetToolTipText(const QString& text) {
    setToolTip(text);
    // A tooltip on show follows the reading instead of waiting for the next hover.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), text, this);
}

void MeasuringFrame::ZoomAboutCentre(long double factor) {
    if (HasPlot())
        SetZoom(ZoomedAbout(Span(), 0.5, factor, Limits()));
}

void MeasuringFrame::MoveBy(long double share) {
    if (HasPlot())
        SetZoom(Shifted(Span(), share, Limits()));
}

void MeasuringFrame::ShowWhole() {
    if (HasPlot())
        SetZoom(std::nullopt);
}

double MeasuringFrame::PixelRatio() const { return devicePixelRatioF(); }

QSize MeasuringFrame::PictureSize() const {
    const QSize size = contentsRect().size();
    const double ratio = PixelRatio();
    return ratio == 1 ? size : QSize(qRound(size.width() * ratio), qRound(size.height() * ratio));
}

void MeasuringFrame::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // One pixel of the picture to one of the screen: no scaling, whatever the ratio.
    const QImage& picture = Picture();
    painter.drawImage(QRectF(contentsRect().topLeft(), QSizeF(picture.size()) / PixelRatio()),
                      picture, QRectF(picture.rect()));
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

void MeasuringFrame::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void MeasuringFrame::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void MeasuringFrame::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    lastPointer_.reset();
}

// The cursors at the point read, or in the middle of the view.
void MeasuringFrame::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_A || event->key() == Qt::Key_B) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        emit CursorKeyPressed(event->key() == Qt::Key_A ? CursorName::A : CursorName::B);
        return event->accept();
    }
    QFrame::keyPressEvent(event);
}

std::optional<std::pair<float, float>> MeasuringFrame::OnPicture(QPoint position) const {
    const QPoint pixel = position - contentsRect().topLeft();
    if (!contentsRect().contains(position) || !Measures(pixel))
        return std::nullopt;
    return UserPosition(pixel);
}

void MeasuringFrame::mouseMoveEvent(QMouseEvent* event) {
    QFrame::mouseMoveEvent(event);
    const QPoint position = event->position().toPoint();
    if (press_ && event->buttons().testFlag(Qt::LeftButton)) {
        press_->dragging |= (position - press_->position).manhattanLength() >= kDragDistance;
        if (press_->dragging && HasPlot()) {
            // Beyond the frame too: the picture follows the pointer until the button goes up.
            const double share = ShareAt(UserPosition(position - contentsRect().topLeft()).first);
            SetZoom(Dragged(press_->span, press_->share, share, Limits()));
        }
    }
    if (const auto at = OnPicture(position)) {
        lastPointer_ = at;
        lastPosition_ = position;
        emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier),
                          at->first, at->second);
    }
}

void MeasuringFrame::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !HasPlot())
        return;
    clicked_ = false;
    if (const auto at = OnPicture(position))
        press_ = Press{position, ShareAt(at->first), Span()};
}

void MeasuringFrame::mouseReleaseEvent(QMouseEvent* event) {
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
    KeepCursorsBeforeClick();
    clicked_ = true;
    emit Clicked(event->modifiers().testFlag(Qt::ShiftModifier), at->first, at->second);
}

void MeasuringFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !OnPicture(event->position().toPoint()))
        return QFrame::mouseDoubleClickEvent(event);
    press_.reset();
    if (HasPlot())
        ShowWholeAfterDoubleClick(clicked_);
}

void MeasuringFrame::wheelEvent(QWheelEvent* event) {
    const QPoint position = event->position().toPoint();
    const auto at = OnPicture(position);
    const int angle = event->angleDelta().y();
    if (!at || angle == 0 || !HasPlot())
        return QFrame::wheelEvent(event);
    event->accept();
    SetZoom(ZoomedAbout(Span(), ShareAt(at->first), WheelFactor(angle), Limits()));
    // The reading under the pointer follows the new span.
    emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier), at->first,
                      at->second);
}

void AddMeasuringKeys(QWidget& window, std::function<MeasuringFrame&()> plot) {
    const std::pair<QKeySequence, std::function<void(MeasuringFrame&)>> keys[] = {
        {QKeySequence(Qt::Key_Plus), [](MeasuringFrame& p) { p.ZoomAboutCentre(1 / kZoomStep); }},
        {QKeySequence(Qt::Key_Minus), [](MeasuringFrame& p) { p.ZoomAboutCentre(kZoomStep); }},
        {QKeySequence(Qt::Key_Left), [](MeasuringFrame& p) { p.MoveBy(-kKeyShare); }},
        {QKeySequence(Qt::Key_Right), [](MeasuringFrame& p) { p.MoveBy(kKeyShare); }},
        {QKeySequence(Qt::Key_Home), [](MeasuringFrame& p) { p.ShowWhole(); }},
        {QKeySequence(Qt::Key_Escape), [](MeasuringFrame& p) { p.ClearCursors(); }},
    };
    for (const auto& [sequence, act] : keys)
        QObject::connect(new QShortcut(sequence, &window), &QShortcut::activated, &window,
                         [plot, act = act] { act(plot()); });
}

} // namespace plot
