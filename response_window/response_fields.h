// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The response window's own fields, read as the main window's commands read theirs: the field
// check first (FromDutyField, then BitsField when it holds text), then each number and its range
// test in the same order, ending at the first fault with its message.

#include "response_window/response_figures.h"

#include <QString>

#include <variant>

namespace response_window {

// The duty cycle before the step, in % (from 0 up to and including 100), and the converter's
// resolution in bits (empty: the band is 1 % of the step; else a whole number from 1 to 24): the
// choice, or the message for the first fault.
std::variant<StepChoice, QString> ReadStepFields(const QString& fromDuty, const QString& bits);

} // namespace response_window
