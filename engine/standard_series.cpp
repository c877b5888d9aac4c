// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/standard_series.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace engine {

namespace {

constexpr std::uint16_t kE6[] = {100, 150, 220, 330, 470, 680};
constexpr std::uint16_t kE12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr std::uint16_t kE24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                  330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr std::uint16_t kE96[] = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

// The double nearest hundredths·10^(exponent − 2), correctly rounded by from_chars: 0 when that
// underflows, empty when it overflows.
std::optional<double> DecimalValue(int hundredths, int exponent) {
    std::array<char, 32> text{};
    const int length = std::snprintf(text.data(), text.size(), "%de%d", hundredths, exponent - 2);
    double value = 0;
    if (std::from_chars(text.data(), text.data() + length, value).ec ==
        std::errc::result_out_of_range) {
        if (exponent > 0)
            return std::nullopt;
        return 0.0;
    }
    return value;
}

} // namespace

std::span<const std::uint16_t> SeriesDecade(Series series) {
    switch (series) {
    case Series::E6:
        return kE6;
    case Series::E12:
        return kE12;
    case Series::E24:
        return kE24;
    case Series::E96:
        return kE96;
    }
    return kE12;
}

namespace {

// A value up to this much above a series value, relatively, counts as that value: a few ulps,
// where a quotient such as 330e-9/10 = 3.3000000000000004e-8 lands for 33e-9. The values of a
// series lie at least 1 % apart, so no two of them ever count as one.
constexpr double kSeriesSlack = 4 * std::numeric_limits<double>::epsilon();

// The first value of the series, from a decade below `value` upwards, that `reached` accepts.
template <typename Reached>
std::optional<double> FirstSeriesValue(Series series, double value, Reached reached) {
    if (!(value > 0 && value <= std::numeric_limits<double>::max()))
        return std::nullopt;
    // log10 may come out one off next to a power of ten. Starting a decade lower and taking the
    // first value from there upwards still gives the smallest one.
    const int firstDecade = static_cast<int>(std::floor(std::log10(value))) - 1;
    for (int decade = firstDecade; decade <= firstDecade + 3; ++decade) {
        for (const std::uint16_t hundredths : SeriesDecade(series)) {
            const std::optional<double> candidate = DecimalValue(hundredths, decade);
            if (!candidate)
                return std::nullopt; // and every larger one overflows too
            if (*candidate > 0 && reached(*candidate))
                return candidate;
        }
    }
    return std::nullopt; // not reached: the last decade lies above `value`
}

} // namespace

std::optional<double> StandardValueAtLeast(Series series, double value) {
    return FirstSeriesValue(series, value, [value](double candidate) {
        return value <= candidate * (1 + kSeriesSlack);
    });
}

std::optional<double> StandardValueAbove(Series series, double value) {
    return FirstSeriesValue(series, value, [value](double candidate) {
        return candidate > value * (1 + kSeriesSlack);
    });
}

} // namespace engine
