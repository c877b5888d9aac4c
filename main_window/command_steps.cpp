// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/command_steps.h"

#include "app/number_text.h"
#include "checking/check_field.h"
#include "engine/period.h"

#include <cmath>

namespace main_window {

using app::ReadFieldNumber;

bool CommandSteps::FieldsPass(std::initializer_list<FieldRule> rules) {
    for (const FieldRule& rule : rules) {
        state_.FieldText = view_.FieldText(rule.field).toStdU16String();
        state_.MissingMsg = MissingFieldMessage(rule);
        state_.InvalidMsg = InvalidFieldMessage(rule);
        checking::CheckField(state_, state_.FieldText,
                             [this](const std::u16string& message) { view_.ShowMessage(message); });
        if (state_.InputError == 1)
            return false;
    }
    return true;
}

std::optional<double> CommandSteps::ReadScaled(const FieldRule& rule, double scale) {
    const std::optional<double> reading =
        ReadFieldNumber(view_.FieldText(rule.field).toStdU16String());
    const double scaled = reading ? *reading * scale : 0;
    if (!reading || !std::isfinite(scaled)) {
        Reject(UnrepresentableFieldMessage(rule));
        return std::nullopt;
    }
    return scaled;
}

bool CommandSteps::TakeValue(const ValueStep& step) {
    const std::optional<double> value = ReadScaled(step.rule, step.scale);
    if (!value)
        return false;
    state_.*step.member = *value;
    if (step.blacken == Blacken::OnceRead)
        view_.SetFieldColour(step.rule.field, app::kPaletteBlack);
    if (!step.accepts(state_)) {
        Reject(step.rejection);
        return false;
    }
    if (step.blacken == Blacken::OnceAccepted)
        view_.SetFieldColour(step.rule.field, app::kPaletteBlack);
    return true;
}

bool CommandSteps::TakeCount(const FieldRule& rule, std::int32_t app::DesignState::*member) {
    const std::optional<double> reading =
        ReadFieldNumber(view_.FieldText(rule.field).toStdU16String());
    const std::optional<std::int32_t> count =
        reading ? engine::CountFromReal(*reading) : std::nullopt;
    if (!count) {
        Reject(CountOutOfRangeMessage(rule));
        return false;
    }
    state_.*member = *count;
    return true;
}

void CommandSteps::Reject(const std::u16string& message) {
    state_.MissingMsg = message;
    view_.ShowMessage(state_.MissingMsg);
}

void CommandSteps::WriteVerificationField(Form1Field field, double value) {
    state_.FormatBuffer =
        app::FormatNumber(value, app::NumberPattern::Scientific3).toStdU16String();
    app::FixDecimalPoint(state_.FormatBuffer);
    view_.SetFieldText(field, QString::fromStdU16String(state_.FormatBuffer));
    view_.SetFieldColour(field, app::kPaletteBlue);
}

} // namespace main_window
