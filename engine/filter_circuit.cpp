// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/filter_circuit.h"

#include "engine/filter_modes.h"
#include "engine/ideal_circuit.h"
#include "engine/modal_pieces.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace engine {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kDecibelsPerNeper = 10 / std::numbers::ln10; // 10·log10(y) = this·ln(y)
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

bool PositiveFinite(double x) { return x > 0 && x <= kMaxDouble; }

bool AllFinite(const FilterModel& m) {
    for (const double x :
         {m.a11, m.a12, m.a21, m.a22, m.b1, m.gain, m.firstGain, m.rate[0], m.rate[1], m.gap,
          m.output[0], m.output[1], m.first[0], m.first[1], m.pShare, m.qShare})
        if (!std::isfinite(x))
            return false;
    return true;
}

// 10·log10(1 + ratio²) for ratio = 2π·f/r, f >= 0 and r > 0, finite even where the ratio
// overflows.
double FactorDecibels(double f, double rate) {
    const double ratio = kTwoPi * f / rate;
    if (ratio <= 1)
        return kDecibelsPerNeper * std::log1p(ratio * ratio);
    const double log10Ratio = std::isfinite(ratio)
                                  ? std::log10(ratio)
                                  : std::log10(kTwoPi) + std::log10(f) - std::log10(rate);
    const double inverse = 1 / ratio;
    return 20 * log10Ratio + kDecibelsPerNeper * std::log1p(inverse * inverse);
}

double FactorPhaseDegrees(double f, double rate) {
    return -kDegreesPerRadian * std::atan(kTwoPi * f / rate);
}

bool ValidDrive(double e, double d, double f) {
    return e >= 0 && e <= kMaxDouble && d >= 0 && d <= 1 && PositiveFinite(f);
}

// 1 − e^(−y).
double Rise(double y) { return -std::expm1(-y); }

// y − (1 − e^(−y)) = e^(−y) − 1 + y, for y >= 0: about y²/2 near 0, where the difference would
// cancel, so taken there from its series y²/2·(1 − y/3·(1 − y/4·(1 − …))).
double RiseShortfall(double y) {
    if (y > 0.5)
        return y - Rise(y); // loses at most a few ulps
    // 1/n for n = 3 to 19; the terms left out fall below an ulp of the sum for y <= 0.5, and so
    // do those from n = 11 on for y <= 0.01.
    static constexpr double kInverse[] = {
        1.0 / 3,  1.0 / 4,  1.0 / 5,  1.0 / 6,  1.0 / 7,  1.0 / 8,  1.0 / 9,  1.0 / 10, 1.0 / 11,
        1.0 / 12, 1.0 / 13, 1.0 / 14, 1.0 / 15, 1.0 / 16, 1.0 / 17, 1.0 / 18, 1.0 / 19};
    double s = 1;
    for (int k = y <= 0.01 ? 7 : 16; k >= 0; --k)
        s = 1 - y * kInverse[k] * s;
    return y * y / 2 * s;
}

// One mode's settled departures from its mean D, as fractions of E: at the switch-off (above
// it) and at the start of the period (below it). Of order x for small x = r·T, where the
// departures taken from the values, near D, would keep only the digits of D.
struct ModeDepartures {
    double atSwitch = 0, atStart = 0;
};

ModeDepartures DeparturesOf(double x, double d, double vMax) {
    ModeDepartures departures;
    const double onPhase = d * x;
    // vMax − D = ((1 − e^(−D·x)) − D·(1 − e^(−x)))/(1 − e^(−x)): the terms linear in x cancel
    // in the numerator, which is D·s(x) − s(D·x) with s the shortfall above.
    departures.atSwitch =
        x <= 1 ? (d * RiseShortfall(x) - RiseShortfall(onPhase)) / Rise(x) : vMax - d;
    // The off phase decays D + δ to (D + δ)·e^(−b), b = (1 − D)·x.
    const double offPhase = (1 - d) * x;
    departures.atStart = departures.atSwitch * std::exp(-offPhase) - d * Rise(offPhase);
    return departures;
}

// The settled ripple of a circuit with two modes, per volt of E, for 0 < D < 1. The output
// y = γ1·z1 + γ2·z2 has y' = κ·(z2 − z1), κ = γ1·r1 = −γ2·r2, as the rates weigh the shares:
// y turns where the modes cross, once in each phase, its lowest in the on phase and its highest
// in the off phase. The ripple is κ times the integral of z2 − z1 from the one to the other,
// taken as the difference of each mode's integral of its departure from D, of order x·T each.
// Nothing here cancels where R·C ≫ T, where the difference of the two extremes, near D·g,
// would keep only about an ulp times (R·C/T)² of the ripple. Where both modes are fast the
// integrals share their leading terms (both modes nearly follow the pulses) and their
// difference cancels instead, while the ripple is a fair share of the output: empty once the
// slower mode's x passes 1, and where the result is not finite (a rate beyond the double
// range), for the difference of the extremes to answer.
std::optional<double> TwoModeRipple(const modes::ModeSet& set, const modes::SettledModes& settled,
                                    double d, double f) {
    if (!(set.x[0] <= 1))
        return std::nullopt;
    ModeDepartures departures[2];
    for (int i = 0; i < 2; ++i)
        departures[i] = DeparturesOf(set.x[i], d, settled.atSwitch[i]);
    // Where z1 = z2, in periods from the switch-on and from the switch-off: from the forms of
    // Stationary with the shares' ratio written as 1 + a small difference.
    const double gapPeriods = set.gap / f;
    const double low = std::clamp(std::log1p((departures[0].atStart - departures[1].atStart) /
                                             ((1 - d) - departures[0].atStart)) /
                                      gapPeriods,
                                  0.0, d);
    const double high = std::clamp(std::log1p((departures[1].atSwitch - departures[0].atSwitch) /
                                              (d + departures[0].atSwitch)) /
                                       gapPeriods,
                                   0.0, 1 - d);
    // ∫ (z − D) over [low, D] of the on phase and [0, high] of the off phase, in periods, for
    // z − D = (1 − D)·(1 − e^(−x·τ)) + δ0·e^(−x·τ) on and δs·e^(−x·τ) − D·(1 − e^(−x·τ)) off.
    double integral[2];
    for (int i = 0; i < 2; ++i) {
        const double x = set.x[i];
        const double on = d * x, from = low * x, to = high * x;
        integral[i] = ((1 - d) * (RiseShortfall(on) - RiseShortfall(from)) +
                       departures[i].atStart * (Rise(on) - Rise(from)) +
                       departures[i].atSwitch * Rise(to) - d * RiseShortfall(to)) /
                      x;
    }
    const double ripple = set.gamma[0] * set.x[0] * (integral[1] - integral[0]);
    if (!(std::isfinite(ripple) && ripple >= 0))
        return std::nullopt;
    return ripple;
}

} // namespace

bool IsValidCircuit(const FilterCircuit& circuit) {
    if (!PositiveFinite(circuit.R) || !PositiveFinite(circuit.C))
        return false;
    if (circuit.second &&
        (!PositiveFinite(circuit.second->R2) || !PositiveFinite(circuit.second->C2)))
        return false;
    return !circuit.RL || PositiveFinite(*circuit.RL);
}

int OrderOf(const FilterCircuit& circuit) { return circuit.second ? 2 : 1; }

std::optional<double> DcGain(const FilterCircuit& circuit) {
    if (!IsValidCircuit(circuit))
        return std::nullopt;
    if (!circuit.RL)
        return 1.0;
    const double series = circuit.R + (circuit.second ? circuit.second->R2 : 0.0);
    // RL/(series + RL), as 1/(series/RL + 1) where the sum would overflow.
    const double sum = series + *circuit.RL;
    const double gain = std::isfinite(sum) ? *circuit.RL / sum : 1 / (series / *circuit.RL + 1);
    if (!(gain > 0))
        return std::nullopt;
    return gain;
}

std::optional<FilterModel> ModelOf(const FilterCircuit& circuit) {
    const std::optional<double> gain = DcGain(circuit);
    if (!gain)
        return std::nullopt;
    const double r = circuit.R;
    const double c = circuit.C;
    FilterModel m;
    m.gain = *gain;
    m.b1 = 1 / (r * c);
    if (!circuit.second) {
        m.order = 1;
        const double rate = m.b1 + (circuit.RL ? 1 / (*circuit.RL * c) : 0.0);
        m.a11 = -rate;
        m.firstGain = m.gain;
        m.rate[0] = rate;
        m.output[0] = m.first[0] = m.gain;
        if (!AllFinite(m) || !(rate > 0))
            return std::nullopt;
        return m;
    }
    m.order = 2;
    const double r2 = circuit.second->R2;
    const double c2 = circuit.second->C2;
    const double throughR2 = 1 / (r2 * c); // into C from v2
    const double intoC2 = 1 / (r2 * c2);   // into C2 from v1
    const double loadC2 = circuit.RL ? 1 / (*circuit.RL * c2) : 0.0;
    m.a11 = -(m.b1 + throughR2);
    m.a12 = throughR2;
    m.a21 = intoC2;
    m.a22 = -(intoC2 + loadC2);
    m.firstGain =
        circuit.RL ? (r2 + *circuit.RL) / (r + r2 + *circuit.RL) : 1.0; // R2 + RL of the total
    if (circuit.RL && !std::isfinite(r + r2 + *circuit.RL))
        m.firstGain = 1 / (r / (r2 + *circuit.RL) + 1);

    // In units of σ = −trace, the largest scale of A, so that no product below underflows:
    // the eigenvalues from the half-difference of the diagonal h and the positive product of
    // the off-diagonal entries. s = 2·sqrt(h² + a12·a21) is a sum of squares, and p = h + s/2,
    // q = s/2 − h are each taken from the form without cancellation, the other from p·q.
    const double sigma = -(m.a11 + m.a22);
    const double n11 = m.a11 / sigma, n12 = m.a12 / sigma, n21 = m.a21 / sigma;
    const double n22 = m.a22 / sigma;
    const double h = (n11 - n22) / 2;
    const double root = std::sqrt(n12) * std::sqrt(n21); // sqrt(a12·a21)/σ
    const double half = std::hypot(h, root);
    double p = 0;
    double q = 0;
    if (h >= 0) {
        p = h + half;
        q = root * (root / p);
    } else {
        q = half - h;
        p = root * (root / q);
    }
    const double gap = 2 * half;
    m.gap = sigma * gap;
    m.pShare = p / gap;
    m.qShare = q / gap;
    // λ2 = a11 − p, both terms negative; λ1 = det/λ2 with det = a11·a22 − a12·a21 written as
    // its sum of positive terms.
    const double rate2 = p - n11;
    const double det = (m.b1 / sigma) * n21 + (m.b1 / sigma + n12) * (loadC2 / sigma);
    const double rate1 = det / rate2;
    m.rate[0] = sigma * rate1;
    m.rate[1] = sigma * rate2;
    m.output[0] = m.gain * rate2 / gap;
    m.output[1] = -m.gain * rate1 / gap;
    // The eigenvectors (p, a21) of λ1 and (q, −a21) of λ2, scaled to their output components.
    m.first[0] = m.output[0] * p / n21;
    m.first[1] = -m.output[1] * q / n21;
    if (!AllFinite(m) || !(m.rate[0] > 0 && m.rate[0] < m.rate[1]) || !(m.gap > 0))
        return std::nullopt;
    return m;
}

ExactStep StepOver(const FilterModel& model, double t) {
    ExactStep step;
    step.x1 = model.firstGain;
    if (model.order == 1) {
        step.m11 = std::expm1(-model.rate[0] * t);
        return step;
    }
    step.x2 = model.gain;
    const double e1 = std::expm1(-model.rate[0] * t);
    const double e2 = std::expm1(-model.rate[1] * t);
    const double s = model.gap;
    step.m11 = model.pShare * e1 + model.qShare * e2;
    step.m22 = model.qShare * e1 + model.pShare * e2;
    // (e^(λ1·t) − e^(λ2·t))/(λ1 − λ2)
    const double divided = std::exp(-model.rate[0] * t) * -std::expm1(-s * t) / s;
    step.m12 = model.a12 * divided;
    step.m21 = model.a21 * divided;
    return step;
}

std::optional<FilterSteadyState> SteadyStateOf(const FilterCircuit& circuit, double e, double d,
                                               double f) {
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (!model || !ValidDrive(e, d, f))
        return std::nullopt;
    const modes::ModeSet set = modes::Of(*model, f);
    const modes::SettledModes settled = modes::Settled(set, d);
    const double period = 1 / f;
    // Per volt of E, then scaled: the extremes of Σγi·zi over the two phases.
    const modal::StretchExtremes x =
        modes::PeriodExtremes(set, settled.atStart, settled.atSwitch, d, period);
    FilterSteadyState s;
    s.vMax = e * x.high;
    s.vMin = e * x.low;
    // The end of a period is the start of the next one.
    s.tMax = x.atHigh < period ? x.atHigh : 0.0;
    s.tMin = x.atLow < period ? x.atLow : 0.0;
    if (model->order == 1) {
        // A plain RC of time constant R'·C: the ripple as the product that does not cancel.
        s.ripple = e * (model->gain * NormalisedRipple(set.x[0], d));
    } else if (const std::optional<double> ripple =
                   d > 0 && d < 1 ? TwoModeRipple(set, settled, d, f) : std::nullopt) {
        s.ripple = e * *ripple;
    } else {
        s.ripple = e * (x.high - x.low);
    }
    s.mean = d * e * model->gain;
    s.start = modes::StateOf(set, settled.atStart, e);
    for (const double v :
         {s.vMax, s.vMin, s.ripple, s.mean, s.tMax, s.tMin, s.start.v1, s.start.v2})
        if (!std::isfinite(v))
            return std::nullopt;
    return s;
}

std::optional<double> SteadyRippleOf(const FilterCircuit& circuit, double e, double d, double f) {
    // Two stages: the ripple alone, without the extremes, wherever every value SteadyStateOf
    // gives stays finite (each lies within [0, E]).
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (model && model->order == 2 && ValidDrive(e, d, f) && d > 0 && d < 1 &&
        std::isfinite(2 * e)) {
        const modes::ModeSet set = modes::Of(*model, f);
        if (const std::optional<double> ripple = TwoModeRipple(set, modes::Settled(set, d), d, f))
            return e * *ripple;
    }
    const std::optional<FilterSteadyState> s = SteadyStateOf(circuit, e, d, f);
    if (!s)
        return std::nullopt;
    return s->ripple;
}

std::optional<double> CutoffFrequencyOf(const FilterCircuit& circuit) {
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (!model)
        return std::nullopt;
    double omega = model->rate[0];
    if (model->order == 2) {
        // |H/H(0)|² = 1/2 at w = ω²: w² + (r1² + r2²)·w − r1²·r2² = 0. Over r2², with u = r1/r2,
        // W² + (1 + u²)·W − u² = 0, whose positive root is taken in the form that does not
        // cancel.
        const double u = model->rate[0] / model->rate[1];
        const double sum = 1 + u * u;
        const double w = 2 * u * u / (sum + std::hypot(sum, 2 * u));
        omega = model->rate[1] * std::sqrt(w);
    }
    const double fc = omega / kTwoPi;
    if (!(fc > 0 && std::isfinite(fc)))
        return std::nullopt;
    return fc;
}

std::optional<double> AttenuationOf(const FilterCircuit& circuit, double f) {
    const std::optional<FrequencyPoint> point = FrequencyResponseOf(circuit, f);
    if (!point)
        return std::nullopt;
    return -point->magnitudeDb;
}

std::optional<FrequencyPoint> FrequencyResponseOf(const FilterCircuit& circuit, double f) {
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (!model || !(f >= 0 && f <= kMaxDouble))
        return std::nullopt;
    FrequencyPoint point;
    for (int i = 0; i < model->order; ++i) {
        point.magnitudeDb -= FactorDecibels(f, model->rate[i]);
        point.phaseDegrees += FactorPhaseDegrees(f, model->rate[i]);
    }
    return point;
}

double HighFrequencySlopeDbPerDecade(const FilterCircuit& circuit) {
    return -20.0 * OrderOf(circuit);
}

} // namespace engine
