// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message.h"

#include "app/text.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace app {

void ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

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
