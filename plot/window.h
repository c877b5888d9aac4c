// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every window that shows plots does alike: coming forward, fitting the screen and opening
// beside the main window.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace plot {

// The window brought forward whatever state it was in: restored from minimized, shown, raised
// and active.
void BringForward(QWidget& window);

// A window's size on a screen whose available area is available: as wanted, no larger than
// the area.
QSize FittedSize(QSize wanted, const QRect& available);

// Puts content (at its own size) in a scroll area filling window, below menuBar when there is
// one, and sizes the window to show all of it when its screen has room, otherwise to the
// screen's available area, scrolling.
void ScrollWhenSmall(QWidget& window, QWidget& content, QWidget* menuBar = nullptr);

// ScrollWhenSmall for a window built with its controls on itself: they move, at their places and
// in their tab order, onto a page of the window's size named after it ("Form2Content").
void ScrollControlsWhenSmall(QWidget& window);

// Where a frame of size frame goes within available without covering keepClear: to its right,
// then its left, below, above; aligned with its top (or left) edge as far as available allows.
// Empty when there is no such room.
std::optional<QPoint> PlaceClearOf(const QRect& keepClear, QSize frame, const QRect& available);

// Moves window, before its first showing, clear of the buttons of main when its screen has
// room for that; otherwise leaves it where the window manager puts it.
void PlaceBesideButtons(QWidget& window, const QWidget& main);

} // namespace plot
