// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The test that every field's text passes before a command converts it: not empty, and made
// only of the number alphabet (the digits, "e", "E", ".", "-" and "+"). It answers with a verdict
// and shows nothing: the command that asked picks the field's message for it.

#include <optional>
#include <string_view>

namespace checking {

enum class FieldFault {
    Empty,           // nothing typed
    OutsideAlphabet, // a character that no number holds, anywhere in the text
};

// Nothing when the text may be converted; otherwise what is wrong with it. Texts of any length
// are examined in full.
std::optional<FieldFault> CheckField(std::u16string_view text);

// True for the characters a number field may hold.
bool IsNumberAlphabet(char16_t c);

} // namespace checking
