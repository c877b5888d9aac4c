// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/command_steps.h"

#include "app/number_text.h"
#include "app/text.h"
#include "checking/check_field.h"
#include "engine/period.h"

#include <cmath>

namespace main_window {

using app::ReadFieldNumber;

bool CommandSteps::FieldsPass(std::span<const FieldRule> rules) {
    for (const FieldRule& rule : rules) {
        const QString text = view_.FieldText(rule.field);
        const auto fault = checking::CheckField(
            std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
        if (!fault)
            continue;
        view_.ShowMessage(*fault == checking::FieldFault::Empty ? MissingFieldMessage(rule)
                                                                : InvalidFieldMessage(rule));
        return false;
    }
    return true;
}

std::optional<double> CommandSteps::ReadScaled(const FieldRule& rule, double scale) {
    const std::optional<double> reading = ReadFieldNumber(view_.FieldText(rule.field));
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
        Reject(app::Text::tr(step.rejection));
        return false;
    }
    if (step.blacken == Blacken::OnceAccepted)
        view_.SetFieldColour(step.rule.field, app::kPaletteBlack);
    return true;
}

bool CommandSteps::TakeOptionalValue(const FieldRule& rule, double scale,
                                     std::optional<double> app::DesignState::*member,
                                     const char* rejection, Blacken blacken) {
    if (view_.FieldText(rule.field).isEmpty()) {
        state_.*member = std::nullopt;
        return true;
    }
    const std::optional<double> value = ReadScaled(rule, scale);
    if (!value)
        return false;
    state_.*member = *value;
    if (blacken == Blacken::OnceRead)
        view_.SetFieldColour(rule.field, app::kPaletteBlack);
    if (!(*value > 0)) {
        Reject(app::Text::tr(rejection));
        return false;
    }
    if (blacken == Blacken::OnceAccepted)
        view_.SetFieldColour(rule.field, app::kPaletteBlack);
    return true;
}

bool CommandSteps::TakeCount(const FieldRule& rule, std::int32_t app::DesignState::*member,
                             const std::optional<CountLimits>& limits) {
    const QString text = view_.FieldText(rule.field);
    const std::optional<double> reading = ReadFieldNumber(text);
    const std::optional<std::int32_t> count =
        reading ? engine::CountFromReal(*reading) : std::nullopt;
    if (!count) {
        // Beyond a 32-bit count, or beyond a real: the sign tells which end.
        const bool negative = reading ? *reading < 0 : text.startsWith(u'-');
        Reject(!limits    ? CountOutOfRangeMessage(rule)
               : negative ? limits->tooFew
                          : limits->tooMany);
        return false;
    }
    state_.*member = *count;
    return true;
}

void CommandSteps::WriteVerificationField(Form1Field field, double value) {
    main_window::WriteVerificationField(view_, field, value);
}

void WriteVerificationField(MainWindowView& view, Form1Field field, double value) {
    view.SetFieldText(field, app::FormatWithPoint(value, app::NumberPattern::Scientific3));
    view.SetFieldColour(field, app::kPaletteBlue);
}

} // namespace main_window
