// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The RC integrator seen as a low-pass filter: its cut-off frequency, how much it attenuates the
// fundamental of the pulse train, and the resolution its ripple leaves, in bits of a converter
// whose full scale is the pulse amplitude. Each holds for f, R, C > 0 and finite, with no
// overflow on the way where the answer itself is representable.

#include <optional>

namespace engine {

// fc = 1/(2π·R·C), Hz. Empty when it overflows.
std::optional<double> CutoffFrequency(double r, double c);

// 10·log10(1 + (f/fc)²), dB, with f/fc = 2π·f·R·C: the attenuation of the fundamental at f by
// the first-order filter. Finite even where f/fc itself lies beyond the double range.
double AttenuationAt(double f, double r, double c);

// log2(E/ripple): the number of bits of a full scale E whose least significant one equals the
// ripple, in V. Empty unless E is positive and finite and the ripple positive and finite.
std::optional<double> ResolutionBits(double e, double ripple);

// The resolutions a converter may be asked for, in whole bits, in every window and the chooser.
inline constexpr int kFewestBits = 1;
inline constexpr int kMostBits = 24;

} // namespace engine
