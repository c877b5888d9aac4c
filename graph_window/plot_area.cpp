#include "graph_window/plot_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr QRgb kDrawingColour = qRgb(0, 0, 0);

} // namespace

PlotArea::PlotArea(QRgb background, QWidget* parent) : QFrame(parent), background_(background) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotArea::SetScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
}

PixelMapping PlotArea::Mapping() const {
    PixelMapping mapping;
    mapping.left_ = left_;
    mapping.top_ = top_;
    mapping.right_ = right_;
    mapping.bottom_ = bottom_;
    const QSize inside = contentsRect().size();
    mapping.lastColumn_ = std::max(inside.width() - 1, 1);
    mapping.lastRow_ = std::max(inside.height() - 1, 1);
    return mapping;
}

QPoint PlotArea::ToPixel(float x, float y) const { return Mapping()(x, y); }

void PlotArea::Line(float x1, float y1, float x2, float y2) {
    Line(x1, y1, x2, y2, kDrawingColour);
}

void PlotArea::Line(float x1, float y1, float x2, float y2, QRgb colour) {
    PixelLine(ToPixel(x1, y1), ToPixel(x2, y2), colour);
}

void PlotArea::PixelLine(QPoint from, QPoint to, QRgb colour) { Pen(colour).Line(from, to); }

PixelPen PlotArea::Pen(QRgb colour) {
    QImage& canvas = Canvas();
    RequestRepaint();
    return PixelPen(canvas, colour);
}

PixelPen::PixelPen(QImage& picture, QRgb colour)
    : bits_(picture.bits()), bytesPerLine_(picture.bytesPerLine()), width_(picture.width()),
      height_(picture.height()), colour_(colour) {}

// Bresenham's line: one pixel per step along the longer axis.
void PixelPen::Line(QPoint from, QPoint to) const {
    // Columns and rows, which traces and fills are mostly made of, without the stepping.
    if (from.x() == to.x()) {
        if (from.x() < 0 || from.x() >= width_)
            return;
        const int firstRow = std::max(std::min(from.y(), to.y()), 0);
        const int lastRow = std::min(std::max(from.y(), to.y()), height_ - 1);
        uchar* pixel = bits_ + firstRow * bytesPerLine_ + from.x() * qsizetype(sizeof(QRgb));
        for (int row = firstRow; row <= lastRow; ++row, pixel += bytesPerLine_)
            *reinterpret_cast<QRgb*>(pixel) = colour_;
        return;
    }
    if (from.y() == to.y()) {
        if (from.y() < 0 || from.y() >= height_)
            return;
        const int firstColumn = std::max(std::min(from.x(), to.x()), 0);
        const int lastColumn = std::min(std::max(from.x(), to.x()), width_ - 1);
        QRgb* const line = reinterpret_cast<QRgb*>(bits_ + from.y() * bytesPerLine_);
        if (firstColumn <= lastColumn)
            std::fill(line + firstColumn, line + lastColumn + 1, colour_);
        return;
    }
    int column = from.x(), row = from.y();
    const int columnDistance = std::abs(to.x() - column), rowDistance = -std::abs(to.y() - row);
    const int columnStep = column < to.x() ? 1 : -1, rowStep = row < to.y() ? 1 : -1;
    int error = columnDistance + rowDistance;
    for (;;) {
        if (column >= 0 && row >= 0 && column < width_ && row < height_)
            reinterpret_cast<QRgb*>(bits_ + row * bytesPerLine_)[column] = colour_;
        if (column == to.x() && row == to.y())
            break;
        const int twice = 2 * error;
        if (twice >= rowDistance) {
            error += rowDistance;
            column += columnStep;
        }
        if (twice <= columnDistance) {
            error += columnDistance;
            row += rowStep;
        }
    }
}

// Drawing may make millions of lines in one go: ask for one repaint, not one per line.
void PlotArea::RequestRepaint() {
    if (!repaintRequested_) {
        repaintRequested_ = true;
        update();
    }
}

void PlotArea::Blank() {
    Canvas().fill(background_);
    RequestRepaint();
}

// The area gets its size once, when the window places it (shown or not); the picture takes
// the inside of the frame, made on first use.
QImage& PlotArea::Canvas() {
    if (picture_.size() != contentsRect().size()) {
        picture_ = QImage(contentsRect().size(), QImage::Format_RGB32);
        picture_.fill(background_);
    }
    return picture_;
}

const QImage& PlotArea::Picture() { return Canvas(); }

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
    painter.drawImage(contentsRect().topLeft(), Canvas());
}

void PlotArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pixel = event->position().toPoint() - contentsRect().topLeft();
    const int lastColumn = std::max(contentsRect().width() - 1, 1);
    const int lastRow = std::max(contentsRect().height() - 1, 1);
    const float x = float(left_ + pixel.x() * (right_ - left_) / lastColumn);
    const float y = float(top_ + pixel.y() * (bottom_ - top_) / lastRow);
    emit PointerMoved(event->buttons(), event->modifiers().testFlag(Qt::ShiftModifier), x, y);
    QFrame::mouseMoveEvent(event);
}
