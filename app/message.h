// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every message of the program goes through here: a box modal to the application, captioned
// with the program title, showing the text alone with a single OK button and no icon.

#include <QString>

namespace app {

void ShowMessage(const QString& text);

} // namespace app
