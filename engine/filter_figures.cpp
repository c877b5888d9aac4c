// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/filter_figures.h"

#include <cmath>
#include <numbers>

namespace engine {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDecibelsPerNeper = 10 / std::numbers::ln10; // 10·log10(y) = this·ln(y)

} // namespace

std::optional<double> CutoffFrequency(double r, double c) {
    // The mantissas of R and C apart from their exponents: only the last step can overflow.
    int rExponent = 0;
    int cExponent = 0;
    const double mantissas = std::frexp(r, &rExponent) * std::frexp(c, &cExponent);
    const double cutoff = std::ldexp(1 / (kTwoPi * mantissas), -(rExponent + cExponent));
    if (!std::isfinite(cutoff))
        return std::nullopt;
    return cutoff;
}

double AttenuationAt(double f, double r, double c) {
    int fExponent = 0;
    int rExponent = 0;
    int cExponent = 0;
    const double mantissa = kTwoPi * (std::frexp(f, &fExponent) * std::frexp(r, &rExponent) *
                                      std::frexp(c, &cExponent));
    const int exponent = fExponent + rExponent + cExponent;
    const double ratio = std::ldexp(mantissa, exponent); // f/fc
    if (ratio <= 1)
        return kDecibelsPerNeper * std::log1p(ratio * ratio);
    // 20·log10(f/fc) + 10·log10(1 + (fc/f)²), with the logarithm of f/fc taken from its parts
    // when it overflows.
    const double log10Ratio = std::isfinite(ratio)
                                  ? std::log10(ratio)
                                  : std::log10(mantissa) + exponent * std::log10(2.0);
    const double inverse = 1 / ratio;
    return 20 * log10Ratio + kDecibelsPerNeper * std::log1p(inverse * inverse);
}

std::optional<double> ResolutionBits(double e, double ripple) {
    if (!(e > 0 && std::isfinite(e) && ripple > 0 && std::isfinite(ripple)))
        return std::nullopt;
    const double ratio = e / ripple;
    // A ripple far below E makes the quotient overflow; its logarithm does not.
    return std::isfinite(ratio) ? std::log2(ratio) : std::log2(e) - std::log2(ripple);
}

} // namespace engine
