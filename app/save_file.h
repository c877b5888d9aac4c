// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every file the program writes shares: the message of a failed save with its reason, and
// the last step of a QSaveFile, which puts the new file in place only once all of it is written.

#include <QSaveFile>
#include <QString>

namespace app {

// "Impossibile salvare il file <path>: <why>"
QString SaveFailureMessage(const QString& path, const QString& why);

// Why a QSaveFile could not start writing path: a folder, a missing folder, a protected file or
// a folder that takes no file.
QString WhyNotWritable(const QString& path);

// Why the writing itself failed.
QString WriteFailed();

// Puts the file in place; false, leaving any earlier file as it was, when anything of it could not
// be written. The flush comes first on its own: commit() alone overlooks a write that fails while
// it flushes (Qt 6.4), and would put a cut file in place.
bool Committed(QSaveFile& file);

} // namespace app
