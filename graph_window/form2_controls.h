// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The graph window's controls that the code reaches, each under one name checked against the
// table when the program is compiled.

#include "graph_window/form2_layout.h"

namespace graph_window {

using Form2Option = app::ControlName<kForm2Rows, app::ControlKind::OptionButton>;
using Form2Picture = app::ControlName<kForm2Rows, app::ControlKind::PictureBox>;
using Form2Custom = app::ControlName<kForm2Rows, app::ControlKind::Custom>;

// The plot, the trace it measures, and the cursors' readings.
inline constexpr Form2Custom kPlotArea{"Picture1"};
inline constexpr Form2Option kViOption{"Option1"};
inline constexpr Form2Option kIcOption{"Option2"};
inline constexpr Form2Option kVoOption{"Option3"};
inline constexpr Form2Picture kSpareBox{"Picture2"}; // kept hidden
inline constexpr Form2Label kCursorLabel{"CursorLabel"};

// The run's figures: the ripple and mean of the last period simulated.
inline constexpr Form2Label kDeltaVoLabel{"Label5"};
inline constexpr Form2Label kVomLabel{"Label9"};
// The real circuit's: its exact ripple and mean, the settling, where the run became periodic.
inline constexpr Form2Label kExactRippleLabel{"ExactRippleLabel"};
inline constexpr Form2Label kExactMeanLabel{"ExactMeanLabel"};
inline constexpr Form2Label kSettlingLabel{"SettlingLabel"};
inline constexpr Form2Label kSettlingTimeLabel{"SettlingTimeLabel"};
inline constexpr Form2Label kSteadyStateLabel{"SteadyStateLabel"};
inline constexpr Form2Label kRippleWiderThanBandLabel{"RippleWiderThanBandLabel"};
// The filter's.
inline constexpr Form2Label kCutoffLabel{"CutoffLabel"};
inline constexpr Form2Label kAttenuationLabel{"AttenuationLabel"};
inline constexpr Form2Label kResolutionLabel{"ResolutionLabel"};

} // namespace graph_window
