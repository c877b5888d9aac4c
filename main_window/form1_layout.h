#pragma once

#include "app/control_table.h"

#include <span>

namespace main_window {

inline constexpr int kForm1WidthTwips = 15990;
inline constexpr int kForm1HeightTwips = 8550;

std::span<const app::ControlRow> Form1Rows();

} // namespace main_window
