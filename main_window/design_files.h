// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Designs saved and opened from the main window: "Apri progetto…" (Ctrl+O), "Salva progetto"
// (Ctrl+S) and "Salva progetto come…" (Ctrl+Shift+S), on the keys and in the context menu of the
// window's background. After a save or an open, "Salva progetto" writes to that file without
// asking. Opening sets every field's text and every part choice as saved, as if typed, and runs
// no command; a file that cannot be opened changes nothing and says why in one message box.

#include "app/design_file.h"
#include "main_window/main_window_view.h"

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QPoint;
class QWidget;

namespace main_window {

enum class FileQuestion { Open, SaveAs };

// Asks the user for a file, starting from start (the file in use, or empty): its path, or an
// empty text when the user gives up.
using AskForFile = std::function<QString(FileQuestion question, const QString& start)>;

// What a design file keeps of the main window: each field's text as typed, then the part group's
// choices; the one table from the window's controls to the file's keys.
app::DesignFileSchema DesignFileKeys();

// The window's field texts and part choices as a design file, and the other way round. Shown
// texts stand for typed ones: in the colour of typed text, not in the blue of a result. Showing a
// design empties the figures "Calcola C" computed for the one before: C (Label25) and the exact C
// and C2 (the part group forgets its design on Opened).
app::DesignFile DesignOfView(const MainWindowView& view);
void ShowDesignInView(MainWindowView& view, const app::DesignFile& design);

class DesignFiles : public QObject {
    Q_OBJECT
public:
    // window is the main window, view what the commands see of it; window owns this object.
    DesignFiles(QWidget& window, MainWindowView& view);

    // Each answers whether the design was opened or saved.
    bool OpenAsked(); // asks for the file
    bool Open(const QString& path);
    bool Save(); // to the file in use, or as SaveAs when there is none yet
    bool SaveAs();

    // The file of the last save or open; empty before the first.
    const QString& CurrentFile() const { return currentFile_; }

    // By default a file dialog asks; tests answer in its place.
    void SetAskForFile(AskForFile ask) { ask_ = std::move(ask); }

signals:
    // A design was opened: the window shows it now.
    void Opened();

private:
    bool SaveTo(const QString& path);
    void ShowMenu(const QPoint& position);

    QWidget& window_;
    MainWindowView& view_;
    QMenu& menu_;
    QString currentFile_;
    AskForFile ask_;
};

} // namespace main_window
