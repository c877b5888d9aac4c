// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot as "Copia grafico" and "Salva grafico…" give it, to go into a report: the picture on
// show, as it is, inside a white frame that names what it shows. Under it a time axis over the
// span on show, in µs, ms or s as the span's end asks; on its left each band's value at its
// baseline and at its full scale, in the band's colour; on its right each trace's name and unit
// ("Vi [V]", "iC [mA]", "Vo [V]"). The window itself keeps showing the bare picture.

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace graph_window {

class PlotPicture;

// The frame's size around a picture of the plot of size pixels of the window.
QSize ReportSize(QSize picture);

// The frame painted on painter, in pixels of the window, around a picture of the plot of that
// many pixels; the picture itself is left to the caller, at FramedArea.
void PaintReportFrame(QPainter& painter, const PlotPicture& plot, QSize picture);

// Where the picture goes in the frame.
QPoint FramedArea();

// The framed picture as an image: shown (the picture on show, ratio pixels of it to one of the
// window) inside its frame, at the same ratio.
QImage ReportImage(const PlotPicture& plot, const QImage& shown, double ratio);

// The framed picture in the format its name's suffix asks for: SVG vector lines for ".svg",
// otherwise ReportImage. Empty when saved, otherwise the message saying why not.
QString SaveReportPicture(const QString& path, const PlotPicture& plot, const QImage& shown,
                          double ratio);

} // namespace graph_window
