// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every message of the program goes through here: a box modal to the application, captioned
// with the program title, showing the text alone with a single OK button and no icon.

#include <QString>

#include <string>

namespace app {

inline constexpr char16_t kProgramTitle[] = u"Velmaro";

void ShowMessage(const QString& text);

// The same, for messages kept in the design state.
void ShowMessageText(const std::u16string& text);

} // namespace app
