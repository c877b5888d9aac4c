// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The preferred values that resistors and capacitors are sold in (IEC 60063): each series has a
// fixed set of values per decade, repeated in every decade.

#include <cstdint>
#include <optional>
#include <span>

namespace engine {

enum class Series { E6, E12, E24, E96 };

// One decade of a series, from 1 up to below 10, each value times 100 (100 for 1.0, 976 for
// 9.76), increasing.
std::span<const std::uint16_t> SeriesDecade(Series series);

// The smallest value of the series (a value of its decade times a power of ten) that is at
// least `value`, in the same unit. Each series value stands for the double nearest the decimal
// number, so a value written as a series value ("4.7e-9", "2.55") maps to itself, and so does a
// value a few ulps above it (4·2^−52 relative), as a quotient or product reaching the series
// value through roundings may land: 330e-9/10 maps to 33e-9. Empty unless value is positive and
// finite, and when the series value overflows.
std::optional<double> StandardValueAtLeast(Series series, double value);

// The next series value: the smallest one above every value that `value` is taken as, so from
// a series value (or a few ulps above it) the one after it. Empty as StandardValueAtLeast.
std::optional<double> StandardValueAbove(Series series, double value);

} // namespace engine
