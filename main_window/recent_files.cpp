// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/recent_files.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace main_window {

namespace {

QSettings RecentSettings() { return QSettings(QStringLiteral("Velmaro"), QStringLiteral("Velmaro")); }

const QString kRecentKey = QStringLiteral("RecentFiles");

void KeepRecent(QStringList files) {
    while (files.size() > kRecentFilesKept)
        files.removeLast();
    RecentSettings().setValue(kRecentKey, files);
}

} // namespace

QStringList RecentFiles() {
    QStringList files = RecentSettings().value(kRecentKey).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    return files.mid(0, kRecentFilesKept);
}

void RememberRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    KeepRecent(files);
}

void ForgetRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    KeepRecent(files);
}

// The frame is kept, and restored only when its title bar lies on a screen present now: a
// place on a monitor unplugged since would put the window out of reach.
bool RestorePlace(QWidget& window, const QString& key) {
    const QRect kept = RecentSettings().value(QStringLiteral("Places/") + key).toRect();
    if (!kept.isValid())
        return false;
    const QPoint titleBar(kept.center().x(), kept.top() + 8);
    QScreen* screen = QGuiApplication::screenAt(titleBar);
    if (!screen)
        return false;
    const QRect available = screen->availableGeometry();
    window.resize(kept.size().boundedTo(available.size()));
    window.move(kept.topLeft());
    return true;
}

void KeepPlace(const QWidget& window, const QString& key) {
    RecentSettings().setValue(QStringLiteral("Places/") + key, QRect(window.pos(), window.size()));
}

} // namespace main_window
