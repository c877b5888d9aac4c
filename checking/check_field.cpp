// SPDX-License-Identifier: GPL-3.0-or-later
#include "checking/check_field.h"

#include <algorithm>

namespace checking {

bool IsNumberAlphabet(char16_t c) {
    const bool digit = c >= u'0' && c <= u'9';
    return digit || c == u'e' || c == u'E' || c == u'.' || c == u'-' || c == u'+';
}

void CheckField(app::DesignState& state, const std::u16string& text,
                const MessageShower& showMessage) {
    state.InputError = 0;
    if (text.empty()) {
        showMessage(state.MissingMsg);
        state.InputError = 1;
        return;
    }
    if (std::all_of(text.begin(), text.end(), IsNumberAlphabet))
        return;
    showMessage(state.InvalidMsg);
    state.InputError = 1;
}

} // namespace checking
