// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message.h"

#include "app/text.h"

#include <QMessageBox>

namespace app {

void ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ProgramTitle(), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace app
