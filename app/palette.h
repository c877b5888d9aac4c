// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's colours, as 0xAARRGGBB values: the layout of the toolkit's QRgb, so that the
// widget code takes them as they are, while the drawing geometry, the engine's neighbours and
// the fuzz target use them without any toolkit header. Last, how a text colour is made to read on
// a background.

#include <algorithm>
#include <cmath>
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

// Text that reads: the contrast of two colours as the accessibility guidelines measure it, from 1
// (the same) to 21 (black on white), and the least it must reach.
inline constexpr double kReadableContrast = 4.5;

inline double RelativeLuminance(Rgb colour) {
    const auto linear = [](std::uint32_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((colour >> 16) & 0xff) + 0.7152 * linear((colour >> 8) & 0xff) +
           0.0722 * linear(colour & 0xff);
}

inline double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text colour mixed with another (white, black) in sixteenths, the fewest that make it read on
// the background; all sixteen where none fewer do.
inline Rgb MixedToRead(Rgb text, Rgb towards, Rgb background) {
    const auto mix = [&](std::uint32_t step) {
        const auto channel = [&](int shift) {
            const std::uint32_t from = (text >> shift) & 0xff, to = (towards >> shift) & 0xff;
            return (from * (16 - step) + to * step + 8) / 16;
        };
        return MakeRgb(channel(16), channel(8), channel(0));
    };
    std::uint32_t step = 0;
    while (step < 16 && ContrastRatio(mix(step), background) < kReadableContrast)
        ++step;
    return mix(step);
}

// A text colour of the program on a background it does not fix: as it is on a light background
// (what the program was drawn for), on a dark one mixed with white just enough to read, so that
// red stays a light red and black becomes a light grey or white.
inline Rgb ReadableOn(Rgb text, Rgb background) {
    if (RelativeLuminance(background) >= 0.18)
        return text;
    return MixedToRead(text, MakeRgb(255, 255, 255), background);
}

// A text colour of the program on one of its own light fills: darkened just enough to read, as
// the warning red is on a light blue box or a white table; black and blue stay as they are.
inline Rgb ReadableOnFill(Rgb text, Rgb fill) { return MixedToRead(text, MakeRgb(0, 0, 0), fill); }

} // namespace app
