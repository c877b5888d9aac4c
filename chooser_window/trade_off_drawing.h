// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trade-off curves (trade_off.h) as a picture, the same on the screen, in a PNG and in an
// SVG: the plot library's logarithmic ticks, dots and legend, with the curves and goals that are
// the chooser's own.

#include "chooser_window/trade_off.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace chooser_window {

// The picture of the curves on a canvas of the size given: logarithmic axes, settling in ms
// across, worst ripple in mV upwards, a dot at each chosen part, the goals as a dashed box
// (ripple within 1 LSB and settling within the limit; one box per candidate, in its colour, when
// a load makes their LSBs differ), and the legend on the right.
void DrawTradeOff(QPainter& painter, QSize size, const TradeOffData& data);

// The same picture as an image of that size.
QImage TradeOffImage(const TradeOffData& data, QSize size);

// The picture in the format its name's suffix asks for, through the plot library: SVG vector
// lines for ".svg", otherwise an image (PNG, JPEG or BMP; PNG for any other name). Empty when
// saved, otherwise the message saying why not.
QString SaveTradeOffPicture(const QString& path, const TradeOffData& data, QSize size);

} // namespace chooser_window
