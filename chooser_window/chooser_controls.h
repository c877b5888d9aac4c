// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The filter chooser's controls that the code reaches, each under one name checked against the
// table when the program is compiled.

#include "chooser_window/chooser_layout.h"

namespace chooser_window {

using ChooserButton = app::ControlName<kChooserRows, app::ControlKind::PushButton>;
using ChooserCustom = app::ControlName<kChooserRows, app::ControlKind::Custom>;

// The window's two settings: the converter's resolution and the longest settling.
inline constexpr ChooserField kBitsField{"ChooserBitsField"};
inline constexpr ChooserField kTimeField{"ChooserTimeField"};

inline constexpr ChooserButton kComputeButton{"ChooserComputeButton"}; // "Calcola"
inline constexpr ChooserButton kUseButton{"ChooserUseButton"};         // "Usa in verifica"

// The design the candidates are for, the candidates, what the choice came to, the curves.
inline constexpr ChooserLabel kDesignLabel{"ChooserDesignLabel"};
inline constexpr ChooserCustom kTable{"ChooserTable"};
inline constexpr ChooserLabel kStatusLabel{"ChooserStatusLabel"};
inline constexpr ChooserCustom kTradeOffPlot{"TradeOffPlot"};

} // namespace chooser_window
