// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/save_file.h"

#include "app/text.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString SaveFailureMessage(const QString& path, const QString& why) {
    return Text::tr("Impossibile salvare il file %1: %2")
        .arg(QDir::toNativeSeparators(path), why);
}

QString WhyNotWritable(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir())
        return Text::tr("è una cartella!");
    if (!file.absoluteDir().exists())
        return Text::tr("la cartella %1 non esiste!")
            .arg(QDir::toNativeSeparators(file.absolutePath()));
    if (file.exists() && !file.isWritable())
        return Text::tr("il file è protetto in scrittura!");
    return Text::tr("non si può scrivere nella cartella %1!")
        .arg(QDir::toNativeSeparators(file.absolutePath()));
}

QString WriteFailed() {
    return Text::tr("la scrittura non è riuscita (il disco potrebbe essere pieno)!");
}

bool Committed(QSaveFile& file) { return file.flush() && file.commit(); }

} // namespace app
