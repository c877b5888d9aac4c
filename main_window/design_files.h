// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Designs saved and opened from the main window: "Nuovo", "Apri…", "Apri recenti", "Salva" and
// "Salva con nome…", with the desktop's keys, in the "File" menu and in the context menu of the
// window's background (the same actions). After a save or an open, "Salva" writes to that file
// without asking. Opening sets every field's text and every part choice as saved, as if typed,
// and runs no command; a file that cannot be opened changes nothing and says why in one message
// box. Fields changed since the last open or save are not lost without a question: "Nuovo",
// "Apri…", a recent file and closing the window first ask whether to save them. The window's
// title names the file in use and marks its changes.

#include "app/design_file.h"
#include "main_window/main_window_view.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace main_window {

enum class FileQuestion { Open, SaveAs };

// The actions on designs, each one QAction shared by the menus.
enum class FileAction { New, Open, Save, SaveAs };

// The desktop's keys for key on action, or otherwise where it binds none.
void SetStandardKeys(QAction& action, QKeySequence::StandardKey key, const QKeySequence& otherwise);

// The answer to "Salvare le modifiche a %1?".
enum class SaveChoice { Save, Discard, Cancel };

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
    bool OpenAsked(); // asks for the file, after asking about unsaved changes
    bool Open(const QString& path);
    bool OpenRecent(const QString& path); // after asking about unsaved changes
    bool Save(); // to the file in use, or as SaveAs when there is none yet
    bool SaveAs();

    // The plain start, fields as at start-up and no file, after asking about unsaved changes;
    // false when the user kept the design.
    bool New();

    // The file of the last save or open; empty before the first.
    const QString& CurrentFile() const { return currentFile_; }

    // Whether a field or a choice changed since the last open or save (or the start).
    bool IsModified() const { return modified_; }

    // Asks "Salvare le modifiche a %1?" when the design changed, and saves on "Salva": true
    // when the work at hand may go on (nothing changed, saved, or not to be saved).
    bool MayDiscard();

    QAction& Action(FileAction action) const { return *actions_[int(action)]; }
    // "Apri recenti": filled from the recent files each time it opens.
    QMenu& RecentMenu() const { return recentMenu_; }

    // By default a file dialog asks; tests answer in its place.
    void SetAskForFile(AskForFile ask) { ask_ = std::move(ask); }
    // By default a message box asks about unsaved changes; tests may answer in its place.
    void SetAskToSave(std::function<SaveChoice(const QString& question)> ask) {
        askToSave_ = std::move(ask);
    }

signals:
    // A design was opened: the window shows it now.
    void Opened();

private:
    bool SaveTo(const QString& path);
    void ShowMenu(const QPoint& position);
    void FillRecentMenu();
    // The design shown is that of file (empty for none), unchanged.
    void Settle(const QString& file);
    void ShowTitle();

    QWidget& window_;
    MainWindowView& view_;
    QMenu& menu_;
    QMenu& recentMenu_;
    QAction* actions_[4] = {};
    QString currentFile_;
    bool modified_ = false;
    app::DesignFile startDesign_; // the fields as at start-up, for "Nuovo"
    AskForFile ask_;
    std::function<SaveChoice(const QString& question)> askToSave_;
};

} // namespace main_window
