// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_picture.h"

#include <algorithm>
#include <cstdlib>

namespace graph_window {

namespace {

constexpr app::Rgb kDrawingColour = app::MakeRgb(0, 0, 0);

} // namespace

PlotPicture::PlotPicture(QSize size, app::Rgb background)
    : picture_(size, QImage::Format_RGB32), background_(background) {
    picture_.fill(background_);
}

PixelMapping PlotPicture::Mapping() const {
    PixelMapping mapping;
    mapping.scale_ = scale_;
    mapping.lastColumn_ = std::max(picture_.width() - 1, 1);
    mapping.lastRow_ = std::max(picture_.height() - 1, 1);
    return mapping;
}

void PlotPicture::Line(float x1, float y1, float x2, float y2) {
    Line(x1, y1, x2, y2, kDrawingColour);
}

void PlotPicture::Line(float x1, float y1, float x2, float y2, app::Rgb colour) {
    const PixelMapping toPixel = Mapping();
    Pen(colour).Line(toPixel(x1, y1), toPixel(x2, y2));
}

PixelPen PlotPicture::Pen(app::Rgb colour) {
    Changed();
    return PixelPen(picture_, colour);
}

void PlotPicture::Blank() {
    picture_.fill(background_);
    drawn_.reset();
    view_ = view_.ForNewPlot();
    Changed();
}

void PlotPicture::Resize(QSize size) {
    picture_ = QImage(size, QImage::Format_RGB32);
    Blank();
}

PlotPicture PlotPicture::Detached() const {
    PlotPicture copy(QSize(), background_);
    copy.picture_ = picture_.copy();
    copy.scale_ = scale_;
    return copy;
}

void PlotPicture::TakePixels(PlotPicture&& drawn) {
    picture_ = std::move(drawn.picture_);
    Changed();
}

PixelPen::PixelPen(QImage& picture, app::Rgb colour)
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

} // namespace graph_window
