// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The test that every field's text passes before a command converts it: not empty, and made
// only of the number alphabet (the digits, "e", "E", ".", "-" and "+").

#include "app/design_state.h"

#include <functional>
#include <string>

namespace checking {

using MessageShower = std::function<void(const std::u16string& message)>;

// Shows state.MissingMsg for an empty text, state.InvalidMsg for a text holding any other
// character, through showMessage; sets state.InputError to 1 after such a message and to 0
// otherwise. Texts of any length are examined in full. Changes nothing else.
void CheckField(app::DesignState& state, const std::u16string& text,
                const MessageShower& showMessage);

// True for the characters a number field may hold.
bool IsNumberAlphabet(char16_t c);

} // namespace checking
