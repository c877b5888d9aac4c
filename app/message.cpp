// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message.h"

#include <QMessageBox>

namespace app {

void ShowMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(kProgramTitle), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void ShowMessageText(const std::u16string& text) { ShowMessage(QString::fromStdU16String(text)); }

} // namespace app
