// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_field.h"

#include <algorithm>

namespace checking {

bool IsNumberAlphabet(char16_t c) {
    const bool digit = c >= u'0' && c <= u'9';
    return digit || c == u'e' || c == u'E' || c == u'.' || c == u'-' || c == u'+';
}

std::optional<FieldFault> CheckField(std::u16string_view text) {
    if (text.empty())
        return FieldFault::Empty;
    if (std::all_of(text.begin(), text.end(), IsNumberAlphabet))
        return std::nullopt;
    return FieldFault::OutsideAlphabet;
}

} // namespace checking
