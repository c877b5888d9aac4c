#pragma once

#include "app/control_table.h"

#include <span>

inline constexpr int kForm1WidthTwips = 15990;
inline constexpr int kForm1HeightTwips = 8550;

std::span<const ControlRow> Form1Rows();
