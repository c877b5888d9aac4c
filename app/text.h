// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the program keeps the texts the user reads: each one a QString, a whole sentence with %1,
// %2… where a number or a name goes, marked for translation with Italian as the source language.
// The windows' classes use their own tr(); everything else uses Text::tr(), in the context
// "Velmaro". Texts in constant tables (the windows' controls, the fields' subjects) are marked
// with QT_TRANSLATE_NOOP("Velmaro", …) and become QStrings through Text::tr() where they are used.

#include <QCoreApplication>
#include <QString>

namespace app {

class Text {
    Q_DECLARE_TR_FUNCTIONS(Velmaro)
};

// The program's title: the main window's caption and that of every message box.
inline QString ProgramTitle() { return QStringLiteral("Velmaro"); }

// Loads Qt's own Italian texts (the fields' context menu, the file dialogs' buttons) in every
// locale, since the whole interface is Italian. False when the translations are not installed.
bool InstallToolkitTranslations(QCoreApplication& application);

} // namespace app
