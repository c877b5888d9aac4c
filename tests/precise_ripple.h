// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settled ripple of a filter circuit at 50 digits, for the tests that check the last digits
// of the engine's: the state equations as written, e^(A·t) by Sylvester's formula from the two
// eigenvalues, the settled start as the fixed point of the period map, and the extremes of each
// phase by Brent's method. Nothing is taken from the engine's modes: at 50 digits the
// differences that cancel in doubles keep far more digits than the engine's result has.

#include "engine/filter_circuit.h"

#include <boost/math/tools/minima.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <algorithm>
#include <limits>

namespace precise_ripple {

using Real = boost::multiprecision::cpp_bin_float_50;
using boost::math::tools::brent_find_minima;

struct Vector {
    Real v1, v2;
};

// dx/dt = A·x + (b1, 0)·u, the output v2 (v1 for one RC), its settled value per volt xInf.
struct Circuit {
    bool second = false;
    Real a11, a12, a21, a22, b1;
    Real lambda1, lambda2; // eigenvalues
    Vector xInf;
};

inline Circuit Of(const engine::FilterCircuit& c) {
    Circuit m;
    const Real r = c.R, cap = c.C;
    const Real load = c.RL ? 1 / Real(*c.RL) : Real(0);
    m.b1 = 1 / (r * cap);
    if (!c.second) {
        m.a11 = -(1 / r + load) / cap;
        m.lambda1 = m.a11;
        m.xInf = {m.b1 / -m.a11, 0};
        return m;
    }
    m.second = true;
    const Real r2 = c.second->R2, c2 = c.second->C2;
    m.a11 = -(1 / r + 1 / r2) / cap;
    m.a12 = 1 / (r2 * cap);
    m.a21 = 1 / (r2 * c2);
    m.a22 = -(1 / r2 + load) / c2;
    const Real half = (m.a11 + m.a22) / 2, det = m.a11 * m.a22 - m.a12 * m.a21;
    const Real root = sqrt(half * half - det);
    m.lambda1 = half + root;
    m.lambda2 = half - root;
    m.xInf = {-(m.a22 * m.b1) / det, (m.a21 * m.b1) / det};
    return m;
}

// e^(A·t)·x.
inline Vector Propagate(const Circuit& m, const Vector& x, const Real& t) {
    if (!m.second)
        return {exp(m.lambda1 * t) * x.v1, 0};
    // (e^(λ1·t)·(A − λ2·I) − e^(λ2·t)·(A − λ1·I))/(λ1 − λ2)
    const Real e1 = exp(m.lambda1 * t), e2 = exp(m.lambda2 * t), gap = m.lambda1 - m.lambda2;
    const Vector a{m.a11 * x.v1 + m.a12 * x.v2, m.a21 * x.v1 + m.a22 * x.v2};
    return {(e1 * (a.v1 - m.lambda2 * x.v1) - e2 * (a.v1 - m.lambda1 * x.v1)) / gap,
            (e1 * (a.v2 - m.lambda2 * x.v2) - e2 * (a.v2 - m.lambda1 * x.v2)) / gap};
}

// The state after t of input u (per volt): x∞·u + e^(A·t)·(x − x∞·u).
inline Vector After(const Circuit& m, const Vector& x, int u, const Real& t) {
    const Vector moved = Propagate(m, {x.v1 - m.xInf.v1 * u, x.v2 - m.xInf.v2 * u}, t);
    return {m.xInf.v1 * u + moved.v1, m.xInf.v2 * u + moved.v2};
}

inline Real Output(const Circuit& m, const Vector& x) { return m.second ? x.v2 : x.v1; }

// The settled ripple (V) at E, D in (0, 1) and f.
inline Real SettledRipple(const engine::FilterCircuit& circuit, double e, double d, double f) {
    const Circuit m = Of(circuit);
    const Real period = 1 / Real(f), on = Real(d) * period, off = period - on;
    // x = b + M·x with M·x = e^(A·off)·e^(A·on)·x and b the period from rest: (I − M)·x = b.
    const Vector b = After(m, After(m, {0, 0}, 1, on), 0, off);
    const Vector m1 = Propagate(m, Propagate(m, {1, 0}, on), off);
    const Vector m2 = Propagate(m, Propagate(m, {0, 1}, on), off);
    Vector start;
    if (m.second) {
        const Real i11 = 1 - m1.v1, i12 = -m2.v1, i21 = -m1.v2, i22 = 1 - m2.v2;
        const Real det = i11 * i22 - i12 * i21;
        start = {(i22 * b.v1 - i12 * b.v2) / det, (i11 * b.v2 - i21 * b.v1) / det};
    } else {
        start = {b.v1 / (1 - m1.v1), 0};
    }
    const Vector atSwitch = After(m, start, 1, on);
    // Each phase is a constant plus two exponentials: at most one turn, which Brent's method
    // finds, or an end. Each phase starts where the one before ends.
    const int bits = std::numeric_limits<Real>::digits / 2;
    Real high = Output(m, start), low = high;
    for (int phase = 0; phase < 2; ++phase) {
        const Vector from = phase == 0 ? start : atSwitch;
        const int u = phase == 0 ? 1 : 0;
        const Real length = phase == 0 ? on : off;
        const auto y = [&](const Real& t) { return Output(m, After(m, from, u, t)); };
        const auto minusY = [&](const Real& t) { return -y(t); };
        const Real end = y(length), highest = -brent_find_minima(minusY, Real(0), length, bits).second,
                   lowest = brent_find_minima(y, Real(0), length, bits).second;
        high = std::max({high, end, highest});
        low = std::min({low, end, lowest});
    }
    return Real(e) * (high - low);
}

} // namespace precise_ripple
