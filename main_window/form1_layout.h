#pragma once

#include "app/control_table.h"

#include <span>

namespace main_window {

inline constexpr int kForm1WidthTwips = 15990;
inline constexpr int kForm1HeightTwips = 8550;

std::span<const app::ControlRow> Form1Rows();

// One stop of the keyboard's walk through the window: a control that takes the focus and, for a
// field, the push button that Enter or Return in it runs.
struct FocusStop {
    const char* control;
    const char* enterRuns = nullptr;
};

// The walk that Tab follows, in order; Shift+Tab walks it back, and both wrap around.
std::span<const FocusStop> Form1FocusOrder();

// Where the focus is when the window opens.
inline constexpr char kForm1FirstFocus[] = "Text1";

// The names a screen reader gives the fields and the result label.
std::span<const app::NamingRow> Form1Names();

} // namespace main_window
