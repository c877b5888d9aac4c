// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces the filter's closed forms are made of, inside the engine: a stretch of constant
// input, over which every mode relaxes towards the input on its own exponential, and the sum of
// two decaying exponentials that transients and their settling come down to.

#include <algorithm>
#include <cmath>
#include <optional>

namespace engine::modal {

// A sum of decaying exponentials h(t) = c1·e^(−r1·t) + c2·e^(−r2·t), t >= 0 (one term when
// count is 1), r1 < r2 with the gap r2 − r1 given apart so that it keeps its digits.
struct DecayingSum {
    int count = 1;
    double c[2] = {0, 0};
    double rate[2] = {0, 0};
    double gap = 0;

    double At(double t) const {
        double value = c[0] * std::exp(-rate[0] * t);
        if (count == 2)
            value += c[1] * std::exp(-rate[1] * t);
        return value;
    }

    // The one t > 0 where h' = 0, if there is one: r1·c1·e^(−r1·t) = −r2·c2·e^(−r2·t).
    std::optional<double> Stationary() const {
        if (count != 2 || c[0] == 0 || c[1] == 0 || (c[0] > 0) == (c[1] > 0) || !(gap > 0))
            return std::nullopt;
        const double t = ((std::log(rate[1]) - std::log(rate[0])) +
                          (std::log(std::fabs(c[1])) - std::log(std::fabs(c[0])))) /
                         gap;
        if (!(t > 0 && std::isfinite(t)))
            return std::nullopt;
        return t;
    }
};

// Between a, where |h| > band, and b, where |h| <= band, on a stretch where h is monotone: the
// point where |h| falls to the band, to the resolution of doubles. Halves the interval
// geometrically while its ends are far apart, so that a bracket of any width takes about a
// hundred steps.
inline double BandCrossing(const DecayingSum& h, double band, double a, double b) {
    for (int step = 0; step < 4000; ++step) {
        double middle = a > 0 && b > 4 * a ? std::sqrt(a) * std::sqrt(b) : a + (b - a) / 2;
        if (!(middle > a && middle < b))
            break;
        if (std::fabs(h.At(middle)) > band)
            a = middle;
        else
            b = middle;
    }
    return b;
}

// The last t >= 0 at which |h(t)| > band, as the supremum of those t: 0 when |h| never exceeds
// the band, empty when the last excursion lies beyond the double range. h has at most one
// stationary point, so [0, ∞) splits into at most two monotone stretches; the last one ends at
// h(∞) = 0.
inline std::optional<double> LastExcursion(const DecayingSum& h, double band) {
    const std::optional<double> turn = h.Stationary();
    const double lastStart = turn.value_or(0.0);
    if (std::fabs(h.At(lastStart)) > band) {
        // Out from lastStart until |h| is within the band; the slowest time constant first.
        double step = 1 / h.rate[0];
        if (!std::isfinite(step))
            return std::nullopt;
        double low = lastStart;
        double high = lastStart + step;
        while (std::fabs(h.At(high)) > band) {
            low = high;
            step *= 2;
            high = lastStart + step;
            if (!std::isfinite(high))
                return std::nullopt;
        }
        return BandCrossing(h, band, low, high);
    }
    if (turn && std::fabs(h.At(0)) > band)
        return BandCrossing(h, band, 0, *turn);
    return 0.0;
}

// The modes of a circuit over a stretch of constant input: each mode's share of the output
// (γi, volts per volt of input times the input scale), its rate, and where it starts as a
// fraction of the input scale. With the input at level u (0 or 1, as a fraction of the scale)
// each mode goes z(τ) = u + (z0 − u)·e^(−r·τ) and the output is Σ γi·zi.
struct ModalStretch {
    int count = 1;
    double gamma[2] = {0, 0};
    double rate[2] = {0, 0};
    double gap = 0;
    double z0[2] = {0, 0};
    double u = 0;

    // z(τ), written so that neither phase cancels: u = 0 decays as z0·e^(−r·τ), u = 1 rises
    // as z0 + (1 − z0)·(1 − e^(−r·τ)).
    double Mode(int i, double tau) const {
        const double decay = -rate[i] * tau;
        if (u == 0)
            return z0[i] * std::exp(decay);
        return z0[i] + (u - z0[i]) * -std::expm1(decay);
    }

    double At(double tau) const {
        double value = gamma[0] * Mode(0, tau);
        if (count == 2)
            value += gamma[1] * Mode(1, tau);
        return value;
    }

    // The departure from the input level, as a decaying sum: y(τ) − Σγi·u.
    DecayingSum Departure() const {
        DecayingSum h;
        h.count = count;
        for (int i = 0; i < count; ++i) {
            h.c[i] = gamma[i] * (z0[i] - u);
            h.rate[i] = rate[i];
        }
        h.gap = gap;
        return h;
    }
};

// The smallest and largest value over a stretch, and where they are.
struct StretchExtremes {
    double low, high;
    double atLow, atHigh;

    void Include(double value, double at) {
        if (value < low) {
            low = value;
            atLow = at;
        }
        if (value > high) {
            high = value;
            atHigh = at;
        }
    }
};

// The extremes of the stretch's output over τ in [from, to] (0 <= from <= to), with `offset`
// added to where they are: at the ends, or at the one stationary point when it lies inside.
inline StretchExtremes ExtremesOver(const ModalStretch& stretch, double from, double to,
                                    double offset) {
    const double first = stretch.At(from);
    StretchExtremes extremes{first, first, offset + from, offset + from};
    extremes.Include(stretch.At(to), offset + to);
    if (const std::optional<double> turn = stretch.Departure().Stationary();
        turn && *turn > from && *turn < to)
        extremes.Include(stretch.At(*turn), offset + *turn);
    return extremes;
}

} // namespace engine::modal
