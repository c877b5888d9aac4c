// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The response window's controls that the code reaches, each under one name checked against the
// table when the program is compiled.

#include "response_window/response_layout.h"

namespace response_window {

using ResponseCustom = app::ControlName<kResponseRows, app::ControlKind::Custom>;

// The step, before which the duty cycle is "Da D", and the converter's resolution.
inline constexpr ResponseField kFromDutyField{"FromDutyField"};
inline constexpr ResponseField kBitsField{"BitsField"};

// The step response: its plot, its figures and the captions that name their band.
inline constexpr ResponseCustom kStepPlot{"StepPlot"};
inline constexpr ResponseLabel kStepBandLabel{"StepBandLabel"};
inline constexpr ResponseLabel kStepSettlingCaption{"StepSettlingCaption"};
inline constexpr ResponseLabel kStepSettlingLabel{"StepSettlingLabel"};
inline constexpr ResponseLabel kStepSettlingPeriodsCaption{"StepSettlingPeriodsCaption"};
inline constexpr ResponseLabel kStepSettlingPeriodsLabel{"StepSettlingPeriodsLabel"};
inline constexpr ResponseLabel kStepRippleWiderThanBandLabel{"StepRippleWiderThanBandLabel"};
inline constexpr ResponseLabel kStepCursorLabel{"StepCursorLabel"};

// The frequency response: its plot and its figures.
inline constexpr ResponseCustom kBodePlot{"BodePlot"};
inline constexpr ResponseLabel kBodeCutoffLabel{"BodeCutoffLabel"};
inline constexpr ResponseLabel kBodeAttenuationLabel{"BodeAttenuationLabel"};
inline constexpr ResponseLabel kBodeSlopeLabel{"BodeSlopeLabel"};
inline constexpr ResponseLabel kBodeCursorLabel{"BodeCursorLabel"};

// How to measure on the plots.
inline constexpr ResponseLabel kMeasureHint{"MeasureHint"};

} // namespace response_window
