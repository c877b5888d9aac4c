// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace app {

bool InstallToolkitTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_it"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace app
