// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's controls that the code reaches, other than its fields, each under one name
// checked against the table when the program is compiled. A field is reached through its rule
// (field_rules.h), which names it once.

#include "main_window/form1_layout.h"

namespace main_window {

using Form1Button = app::ControlName<kForm1Rows, app::ControlKind::PushButton>;
using Form1Picture = app::ControlName<kForm1Rows, app::ControlKind::PictureBox>;

// The commands.
inline constexpr Form1Button kExampleButton{"Command3"}; // "Dati Esempio"
inline constexpr Form1Button kDesignButton{"Command1"};  // "Calcola C"
inline constexpr Form1Button kGraphButton{"Command2"};   // "Grafici"
inline constexpr Form1Button kResponseButton{"ResponseButton"};
inline constexpr Form1Button kChooserButton{"ChooserButton"};
inline constexpr Form1Button kUseSafeCButton{"UseSafeC"};

inline constexpr Form1Picture kSchematicPicture{"Picture1"};

// The filter's order.
inline constexpr Form1Choice kOrderList{"OrderCombo"};

// What "Calcola C" finds: C, and the exact C and C2 of the filter.
inline constexpr Form1Label kDesignCLabel{"Label25"};
inline constexpr Form1Label kExactCLabel{"ExactCLabel"};
inline constexpr Form1Label kExactC2Label{"ExactC2Label"};

// The part to buy: the lists, and the values of the series chosen.
inline constexpr Form1Choice kSeriesList{"SeriesCombo"};
inline constexpr Form1Label kSeriesCaption{"SeriesCaption"};
inline constexpr Form1Choice kCToleranceList{"CToleranceCombo"};
inline constexpr Form1Label kCToleranceCaption{"CToleranceCaption"};
inline constexpr Form1Choice kRToleranceList{"RToleranceCombo"};
inline constexpr Form1Label kRToleranceCaption{"RToleranceCaption"};
inline constexpr Form1Label kStandardCCaption{"StandardCCaption"};
inline constexpr Form1Label kStandardCLabel{"StandardCLabel"};
inline constexpr Form1Label kStandardC2Caption{"StandardC2Caption"};
inline constexpr Form1Label kStandardC2Label{"StandardC2Label"};
inline constexpr Form1Label kWorstRippleLabel{"WorstRippleLabel"};
inline constexpr Form1Label kSafeCLabel{"SafeCLabel"};
inline constexpr Form1Label kSafeC2Label{"SafeC2Label"};

} // namespace main_window
