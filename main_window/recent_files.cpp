// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/recent_files.h"

#include <QEvent>
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

namespace {

// Watches its parent window and keeps its place as it goes out of sight.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget& window, QString key)
        : QObject(&window), window_(window), key_(std::move(key)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ &&
            (event->type() == QEvent::Hide || event->type() == QEvent::Close))
            KeepPlace(window_, key_);
        return false;
    }

private:
    QWidget& window_;
    QString key_;
};

} // namespace

void KeepPlaceWhenHidden(QWidget& window, const QString& key) {
    window.installEventFilter(new PlaceKeeper(window, key));
}

} // namespace main_window
