// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's colours, as 0xAARRGGBB values: the layout of the toolkit's QRgb, so that the
// widget code takes them as they are, while the drawing geometry, the engine's neighbours and
// the fuzz target use them without any toolkit header.

#include <cstdint>

namespace app {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return 0xff000000u | (red << 16) | (green << 8) | blue;
}

inline constexpr Rgb kLightBlue = MakeRgb(192, 192, 255);
inline constexpr Rgb kLightPink = MakeRgb(255, 192, 192);
inline constexpr Rgb kLightCyan = MakeRgb(192, 255, 255);
inline constexpr Rgb kLightYellow = MakeRgb(255, 255, 192);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);
inline constexpr Rgb kRed = MakeRgb(255, 0, 0);
inline constexpr Rgb kGreen = MakeRgb(0, 255, 0);
inline constexpr Rgb kBlue = MakeRgb(0, 0, 255);

// Colours 0 and 9 of the standard 16-colour palette.
inline constexpr Rgb kPaletteBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kPaletteBlue = MakeRgb(0, 0, 255);

// A figure that warns: a ripple above the one asked for, a run still short of its steady state.
inline constexpr Rgb kWarningColour = kRed;

} // namespace app
