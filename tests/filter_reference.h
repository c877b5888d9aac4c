// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The filter circuits evaluated another way, for the tests: A and B written from the state
// equations in long double, e^(A·t) by a Taylor series with scaling and squaring (no
// eigenvalues), and the state stepped from one instant to the next. Slow and plain.

#include "engine/filter_circuit.h"

#include <cmath>
#include <complex>
#include <optional>
#include <vector>

#include <QString>

namespace filter_reference {

inline engine::FilterCircuit First(double r, double c, std::optional<double> rl = std::nullopt) {
    return {r, c, std::nullopt, rl};
}
inline engine::FilterCircuit Second(double r, double c, double r2, double c2,
                                    std::optional<double> rl = std::nullopt) {
    return {r, c, engine::SecondStage{r2, c2}, rl};
}

// Circuits of every kind, with stages of very different and of equal time constants.
inline const std::vector<engine::FilterCircuit>& Circuits() {
    static const std::vector<engine::FilterCircuit> circuits = {
        First(1e3, 1e-6),
        First(1e4, 1e-7, 2.5e4),
        Second(1e4, 1e-7, 1e4, 1e-7),
        Second(1e4, 1e-7, 1e5, 1e-8, 1e6),
        Second(1e3, 1e-6, 1e6, 1e-12),
        Second(1e4, 1e-9, 10, 1e-6, 50),
    };
    return circuits;
}

inline QString Describe(const engine::FilterCircuit& c) {
    QString text = QString("R %1 C %2").arg(c.R).arg(c.C);
    if (c.second)
        text += QString(" R2 %1 C2 %2").arg(c.second->R2).arg(c.second->C2);
    if (c.RL)
        text += QString(" RL %1").arg(*c.RL);
    return text;
}

using Real = long double;

struct Matrix {
    Real a11 = 0, a12 = 0, a21 = 0, a22 = 0;
};

inline Matrix Multiply(const Matrix& x, const Matrix& y) {
    return {x.a11 * y.a11 + x.a12 * y.a21, x.a11 * y.a12 + x.a12 * y.a22,
            x.a21 * y.a11 + x.a22 * y.a21, x.a21 * y.a12 + x.a22 * y.a22};
}

struct Linear {
    Matrix a;
    Real b1 = 0; // dv1/dt gets b1·u
    Real x1 = 0; // settled v1 per volt of input
    Real x2 = 0; // settled v2 per volt (0 for the first order)
    bool second = false;
};

// From the state equations: C·dv1/dt = (u − v1)/R − (v1 − v2)/R2 [− v1/RL], C2·dv2/dt =
// (v1 − v2)/R2 [− v2/RL]; the settled state solves A·x = −B·u.
inline Linear Of(const engine::FilterCircuit& c) {
    Linear l;
    const Real r = c.R, cap = c.C;
    const Real load = c.RL ? 1 / static_cast<Real>(*c.RL) : 0;
    l.b1 = 1 / (r * cap);
    if (!c.second) {
        l.a.a11 = -(1 / r + load) / cap;
        l.x1 = l.b1 / -l.a.a11;
        return l;
    }
    l.second = true;
    const Real r2 = c.second->R2, c2 = c.second->C2;
    l.a = {-(1 / r + 1 / r2) / cap, 1 / (r2 * cap), 1 / (r2 * c2), -(1 / r2 + load) / c2};
    const Real det = l.a.a11 * l.a.a22 - l.a.a12 * l.a.a21;
    l.x1 = -(l.a.a22 * l.b1) / det;
    l.x2 = (l.a.a21 * l.b1) / det;
    return l;
}

// e^(A·t) − I: the series without its first term on A·t/2^s, small enough, then s doublings
// (I + X)² − I = 2·X + X², which keep the digits of a step far shorter than the time constants.
inline Matrix ExpMinusIdentity(const Matrix& a, Real t) {
    const Real norm =
        std::fabs(a.a11 * t) + std::fabs(a.a12 * t) + std::fabs(a.a21 * t) + std::fabs(a.a22 * t);
    int doublings = 0;
    while (norm / std::pow(2.0L, doublings) > 0.125L)
        ++doublings;
    const Real scale = t / std::pow(2.0L, doublings);
    const Matrix x{a.a11 * scale, a.a12 * scale, a.a21 * scale, a.a22 * scale};
    Matrix sum{};
    Matrix term{1, 0, 0, 1};
    for (int n = 1; n <= 30; ++n) {
        term = Multiply(term, x);
        term = {term.a11 / n, term.a12 / n, term.a21 / n, term.a22 / n};
        sum = {sum.a11 + term.a11, sum.a12 + term.a12, sum.a21 + term.a21, sum.a22 + term.a22};
    }
    for (int i = 0; i < doublings; ++i) {
        const Matrix square = Multiply(sum, sum);
        sum = {2 * sum.a11 + square.a11, 2 * sum.a12 + square.a12, 2 * sum.a21 + square.a21,
               2 * sum.a22 + square.a22};
    }
    return sum;
}

inline Matrix Exp(const Matrix& a, Real t) {
    const Matrix m = ExpMinusIdentity(a, t);
    return {1 + m.a11, m.a12, m.a21, 1 + m.a22};
}

struct State {
    Real v1 = 0, v2 = 0;
};

// The state after t seconds of input u: x∞·u + e^(A·t)·(x − x∞·u).
inline State After(const Linear& l, State x, Real u, Real t) {
    const Matrix e = Exp(l.a, t);
    const Real d1 = x.v1 - l.x1 * u, d2 = x.v2 - l.x2 * u;
    return {l.x1 * u + e.a11 * d1 + e.a12 * d2, l.x2 * u + e.a21 * d1 + e.a22 * d2};
}

inline Real Output(const Linear& l, State x) { return l.second ? x.v2 : x.v1; }

// H(j·2π·f)/H(0) from the state equations: (j·ω·I − A)⁻¹·B, its output entry, over its value
// at ω = 0.
inline std::complex<Real> Response(const Linear& l, Real f) {
    using Complex = std::complex<Real>;
    const Complex jw(0, 2 * 3.14159265358979323846264338327950288L * f);
    if (!l.second)
        return (l.b1 / (jw - l.a.a11)) / l.x1;
    const Complex m11 = jw - l.a.a11, m22 = jw - l.a.a22;
    const Complex det = m11 * m22 - l.a.a12 * l.a.a21;
    return (l.a.a21 * l.b1 / det) / l.x2;
}

// The settled state at the start of a period: the fixed point of the period map x -> M·x + b,
// solving (I − M)·x = b in long double.
inline State SettledStart(const Linear& l, double e, double d, double f) {
    const Real period = 1.0L / f, on = d * period;
    const State b = After(l, After(l, {}, e, on), 0, period - on);
    const Matrix m = ExpMinusIdentity(l.a, period);
    // (I − M)⁻¹·b for the 2×2 (the 1×1 when a12 = a21 = a22 = 0 and v2 = 0).
    const Real i11 = -m.a11, i22 = l.second ? -m.a22 : 1;
    const Real det = i11 * i22 - m.a12 * m.a21;
    return {(i22 * b.v1 + m.a12 * b.v2) / det, (m.a21 * b.v1 + i11 * b.v2) / det};
}

// The output at t in [0, T) of the settled period.
inline long double SettledOutput(const Linear& l, State start, double e, double d, double f,
                                 long double t) {
    const Real on = d * (1.0L / f);
    if (t <= on)
        return Output(l, After(l, start, e, t));
    return Output(l, After(l, After(l, start, e, on), 0, t - on));
}

} // namespace filter_reference
