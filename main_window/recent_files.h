// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The designs opened or saved last, newest first, kept between sessions with QSettings; and the
// place of each window, restored only onto a screen that is present.

#include <QString>
#include <QStringList>

class QWidget;

namespace main_window {

inline constexpr int kRecentFilesKept = 8;

QStringList RecentFiles();
// path first, once; the oldest beyond kRecentFilesKept dropped.
void RememberRecentFile(const QString& path);
void ForgetRecentFile(const QString& path);

// The window's last position and size under key, when the screen it was on is present; false
// (the window left as it is) otherwise.
bool RestorePlace(QWidget& window, const QString& key);
void KeepPlace(const QWidget& window, const QString& key);
// Keeps the window's place under key each time it is hidden or closed.
void KeepPlaceWhenHidden(QWidget& window, const QString& key);

} // namespace main_window
