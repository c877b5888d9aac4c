// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The steps both commands take with a field: the character check, the conversion with its range
// test, the count, and the message that ends the command.

#include "app/design_state.h"
#include "main_window/field_rules.h"
#include "main_window/main_window_view.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

namespace main_window {

class CommandSteps {
public:
    CommandSteps(app::DesignState& state, MainWindowView& view) : state_(state), view_(view) {}

    // The field check on each field in turn; false, after the field's message, at the first
    // field it refuses.
    bool FieldsPass(std::span<const FieldRule> rules);
    bool FieldsPass(std::initializer_list<FieldRule> rules) {
        return FieldsPass(std::span<const FieldRule>(rules.begin(), rules.size()));
    }

    // Reads, stores and tests one value; false, after a message, when the command must end.
    // A number beyond the range of a 64-bit real, read or once scaled, is not stored.
    bool TakeValue(const ValueStep& step);

    // A value that a field may leave out: nothing when the field is empty, else read, stored and
    // tested like TakeValue's (and turned black once accepted).
    bool TakeOptionalValue(const FieldRule& rule, double scale,
                           std::optional<double> app::DesignState::*member,
                           const char* rejection, Blacken blacken);

    // What a command says of a count beyond what it accepts, below and above.
    struct CountLimits {
        QString tooFew, tooMany;
    };

    // Reads the field's number into a count; false, after a message, when it is not a 32-bit
    // count (the member then keeps its value). The message names the range the command accepts
    // when limits are given, the 32-bit range otherwise.
    bool TakeCount(const FieldRule& rule, std::int32_t app::DesignState::*member,
                   const std::optional<CountLimits>& limits = std::nullopt);

    // Shows a message about a value the command cannot accept.
    void Reject(const QString& message) { view_.ShowMessage(message); }

    // Writes a value into a verification field, as below.
    void WriteVerificationField(Form1Field field, double value);

private:
    std::optional<double> ReadScaled(const FieldRule& rule, double scale);

    app::DesignState& state_;
    MainWindowView& view_;
};

// Writes a value into a verification field as "0.000E+00" with "." whatever the locale, so that
// "Grafici" reads it back, and in palette blue until "Grafici" takes it over.
void WriteVerificationField(MainWindowView& view, Form1Field field, double value);

} // namespace main_window
