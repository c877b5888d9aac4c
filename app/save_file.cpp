// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/save_file.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString SaveFailureMessage(const QString& path, const QString& why) {
    return QStringLiteral("Impossibile salvare il file %1: %2")
        .arg(QDir::toNativeSeparators(path), why);
}

QString WhyNotWritable(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir())
        return QStringLiteral("è una cartella!");
    if (!file.absoluteDir().exists())
        return QStringLiteral("la cartella %1 non esiste!")
            .arg(QDir::toNativeSeparators(file.absolutePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("il file è protetto in scrittura!");
    return QStringLiteral("non si può scrivere nella cartella %1!")
        .arg(QDir::toNativeSeparators(file.absolutePath()));
}

QString WriteFailed() {
    return QStringLiteral("la scrittura non è riuscita (il disco potrebbe essere pieno)!");
}

bool Committed(QSaveFile& file) { return file.flush() && file.commit(); }

} // namespace app
