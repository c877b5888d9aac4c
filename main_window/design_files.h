// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Designs saved and opened from the main window: "Apri progetto…" (Ctrl+O), "Salva progetto"
// (Ctrl+S) and "Salva progetto come…" (Ctrl+Shift+S), on the keys and in the context menu of the
// window's background. After a save or an open, "Salva progetto" writes to that file without
// asking. Opening sets every field's text and every part choice as saved, as if typed, and runs
// no command; a file that cannot be opened changes nothing and says why in one message box.

#include "app/design_file.h"

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

class DesignFiles : public QObject {
    Q_OBJECT
public:
    // window is the main window, with its fields named as its control table names them; it owns
    // this object.
    explicit DesignFiles(QWidget& window);

    // Each answers whether the design was opened or saved.
    bool OpenAsked(); // asks for the file
    bool Open(const QString& path);
    bool Save(); // to the file in use, or as SaveAs when there is none yet
    bool SaveAs();

    // The file of the last save or open; empty before the first.
    const QString& CurrentFile() const { return currentFile_; }

    // By default a file dialog asks; tests answer in its place.
    void SetAskForFile(AskForFile ask) { ask_ = std::move(ask); }

private:
    bool SaveTo(const QString& path);
    void ShowMenu(const QPoint& position);

    QWidget& window_;
    QMenu& menu_;
    QString currentFile_;
    AskForFile ask_;
};

// The window's field texts and part choices as a design file, and the other way round.
app::DesignFile DesignOfWindow(const QWidget& window);
void ShowDesignInWindow(QWidget& window, const app::DesignFile& design);

// The part choices alone, through the combo boxes SeriesCombo, CToleranceCombo and
// RToleranceCombo, each found by its name; a window without one keeps that choice as it is in
// the design (reading) and skips it (showing).
void ReadPartChoices(const QWidget& window, app::DesignFile& design);
void ShowPartChoices(QWidget& window, const app::DesignFile& design);

} // namespace main_window
