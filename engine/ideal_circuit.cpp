// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ideal_circuit.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace engine {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// mantissa·2^exponent
struct Scaled {
    double mantissa;
    int exponent;
};

// p·q·s for p, q, s >= 0 with the exponents kept apart: the mantissas, each in [0.5, 1), multiply
// to a value in [0.125, 1), so only the final ldexp can overflow or underflow. The rounding is
// that of the plain product wherever the plain product stays in range.
Scaled ProductOf(double p, double q, double s) {
    int pExponent = 0;
    int qExponent = 0;
    int sExponent = 0;
    const double mantissa =
        std::frexp(p, &pExponent) * std::frexp(q, &qExponent) * std::frexp(s, &sExponent);
    return {mantissa, pExponent + qExponent + sExponent};
}

// 1/(p·q·s) with no overflow or underflow on the way: +inf when a factor is 0.
double ReciprocalOfProduct(double p, double q, double s) {
    const Scaled product = ProductOf(p, q, s);
    return std::ldexp(1.0 / product.mantissa, -product.exponent);
}

// fraction·x, a phase of zero length staying zero even at x = +inf.
double PhaseOf(double fraction, double x) { return fraction == 0 ? 0.0 : fraction * x; }

// (1 − e^(−t))/t, 1 at t = 0.
double Psi(double t) { return t == 0 ? 1.0 : -std::expm1(-t) / t; }

// t/(e^t − 1), 1 at t = 0, 0 once e^t overflows.
double Phi(double t) { return t == 0 ? 1.0 : (std::isinf(t) ? 0.0 : t / std::expm1(t)); }

// vMax/E = (1 − e^(−D·x))/(1 − e^(−x)). Up to x = 1 it is written as D·ψ(D·x)/ψ(x), whose
// factors are all near 1: D·x may then be far below the normal range without costing digits.
double VMaxFraction(double x, double d) {
    const double a = PhaseOf(d, x);
    if (x <= 1)
        return d * (Psi(a) / Psi(x));
    return -std::expm1(-a) / -std::expm1(-x);
}

// e^(−(1 − D)·x). A long off-phase makes the exponent large, and the roundings of 1 − D and of
// the product would each cost up to (1 − D)·x ulps: the exponent is carried as bHigh + bLow, the
// rounding errors recovered exactly, and e^(−bLow) ≈ 1 − bLow applied apart.
double OffPhaseDecay(double x, double d) {
    if (d == 1 || !std::isfinite(x))
        return std::exp(-PhaseOf(1 - d, x));
    const double offShare = 1 - d;
    const double offShareLow = (1 - offShare) - d; // exact: 1 >= d
    const double bHigh = offShare * x;
    const double bLow = std::fma(offShare, x, -bHigh) + offShareLow * x;
    return std::exp(-bHigh) * (1 - bLow);
}

// d(ln ripple)/d(ln x) = φ(D·x) + φ((1 − D)·x) − φ(x), in (0, 1] since φ is convex with φ(0) = 1.
double RippleSlope(double x, double d) {
    return Phi(PhaseOf(d, x)) + Phi(PhaseOf(1 - d, x)) - Phi(x);
}

// The x whose normalised ripple is rho, for rho and D in [kMinNormal, 1). Empty when it lies
// beyond the double range.
std::optional<double> PeriodRatioForRipple(double rho, double d) {
    // The ripple never exceeds D·(1 − D)·x, so the root is at least this; for small rho it is
    // also very nearly the root. Half of it is below the root even after rounding.
    const double guess = rho / (d * (1 - d));
    double low = guess / 2;
    double high = guess;
    while (!(NormalisedRipple(high, d) > rho)) {
        if (high == kMaxDouble)
            return std::nullopt;
        low = high;
        high = std::min(high * 4, kMaxDouble);
    }

    // Newton's method on ln ripple against ln x, which is close to a straight line, kept inside
    // the bracket [low, high] by falling back to halving it (geometrically) whenever a step
    // leaves it. The step count bounds the work: halving alone narrows any double bracket to
    // neighbouring doubles in about 70 steps.
    double x = guess;
    double best = high;
    double bestError = kInfinity;
    for (int step = 0; step < 200; ++step) {
        const double ripple = NormalisedRipple(x, d);
        const double error = std::fabs(ripple - rho);
        if (error < bestError) {
            best = x;
            bestError = error;
        }
        if (error == 0)
            break;
        if (ripple < rho)
            low = x;
        else
            high = x;
        // ln rho − ln ripple as log1p of the relative gap: the difference of the two logarithms
        // would lose the last digits of a gap of a few ulps.
        double next = x * std::exp(std::log1p((rho - ripple) / ripple) / RippleSlope(x, d));
        if (next == x)
            break; // the step is below an ulp of x
        if (!(next > low && next < high))
            next = std::sqrt(low) * std::sqrt(high);
        if (!(next > low && next < high))
            next = low + (high - low) / 2; // a few ulps apart: the geometric mean rounds to an end
        if (!(next > low && next < high))
            break;
        x = next;
    }
    return best;
}

} // namespace

double PeriodOverTimeConstant(double f, double r, double c) { return ReciprocalOfProduct(f, r, c); }

double NormalisedRipple(double x, double d) {
    // Vmax·(1 − e^(−(1−D)·x)): a product of factors each accurate to an ulp or two, where the
    // difference Vmax − Vmin would cancel once R·C ≫ T.
    return VMaxFraction(x, d) * -std::expm1(-PhaseOf(1 - d, x));
}

IdealSteadyState NormalisedSteadyState(double x, double d) {
    const double vMax = VMaxFraction(x, d);
    const double b = PhaseOf(1 - d, x);
    return {vMax, vMax * OffPhaseDecay(x, d), vMax * -std::expm1(-b), d};
}

IdealSteadyState IdealSteadyStateOf(double e, double d, double f, double r, double c) {
    const IdealSteadyState s = NormalisedSteadyState(PeriodOverTimeConstant(f, r, c), d);
    return {e * s.vMax, e * s.vMin, e * s.ripple, e * s.mean};
}

std::optional<double> ExactCapacitance(double e, double vom, double f, double deltaVo, double r) {
    for (const double input : {e, vom, f, deltaVo, r})
        if (!(input > 0 && input <= kMaxDouble))
            return std::nullopt;
    if (vom > e)
        return std::nullopt;
    const double d = vom / e;
    const double rho = deltaVo / e; // the wanted ripple as a fraction of E
    if (rho >= 1 || d >= 1)
        return 0.0;
    if (d < kMinNormal || rho < kMinNormal)
        return std::nullopt;
    const std::optional<double> x = PeriodRatioForRipple(rho, d);
    if (!x)
        return std::nullopt;
    const double c = ReciprocalOfProduct(f, r, *x);
    if (!(c >= kMinNormal && c <= kMaxDouble))
        return std::nullopt;
    return c;
}

} // namespace engine
