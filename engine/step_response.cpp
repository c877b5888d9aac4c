// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/step_response.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// e^(−x·n) for n >= 0, 1 at n = 0 even where x is infinite.
double DecayOver(double x, double n) { return n == 0 ? 1.0 : std::exp(-x * n); }

// Periods a range may span before only its ends are looked at.
constexpr double kPeriodsWalked = 3;

} // namespace

std::optional<StepResponse> StepResponse::Of(const FilterCircuit& circuit, double e, double d0,
                                             double d, double f) {
    const std::optional<FilterModel> model = ModelOf(circuit);
    if (!model || !(e >= 0 && e <= kMaxDouble) || !(d0 >= 0 && d0 <= 1) || !(d >= 0 && d <= 1) ||
        !(f > 0 && f <= kMaxDouble))
        return std::nullopt;
    StepResponse response;
    response.set_ = modes::Of(*model, f);
    response.before_ = modes::Settled(response.set_, d0);
    response.after_ = modes::Settled(response.set_, d);
    response.e_ = e;
    response.d0_ = d0;
    response.d_ = d;
    response.period_ = 1 / f;
    response.startMean_ = d0 * e * model->gain;
    response.finalMean_ = d * e * model->gain;
    modal::DecayingSum& decay = response.decay_;
    decay.count = response.set_.count;
    decay.gap = response.set_.gap;
    for (int i = 0; i < decay.count; ++i) {
        decay.rate[i] = response.set_.rate[i];
        decay.c[i] =
            e * response.set_.gamma[i] * (response.before_.atStart[i] - response.after_.atStart[i]);
    }
    if (!std::isfinite(response.period_) || !std::isfinite(decay.c[0]) ||
        !std::isfinite(decay.c[1]))
        return std::nullopt;
    return response;
}

void StepResponse::PeriodStart(double n, double (&z)[2], double& duty) const {
    if (n < 0) {
        z[0] = before_.atStart[0];
        z[1] = before_.atStart[1];
        duty = d0_;
        return;
    }
    for (int i = 0; i < 2; ++i)
        z[i] =
            after_.atStart[i] + (before_.atStart[i] - after_.atStart[i]) * DecayOver(set_.x[i], n);
    duty = d_;
}

double StepResponse::At(double t) const {
    const double n = std::floor(t / period_);
    const double tau = std::clamp(t - n * period_, 0.0, period_);
    double z[2];
    double duty = 0;
    PeriodStart(n, z, duty);
    const double onTime = duty * period_;
    const modal::ModalStretch on = modes::Stretch(set_, z, 1);
    if (tau <= onTime && duty > 0)
        return e_ * on.At(tau);
    double zSwitch[2] = {z[0], z[1]};
    if (duty > 0)
        for (int i = 0; i < set_.count; ++i)
            zSwitch[i] = on.Mode(i, onTime);
    return e_ * modes::Stretch(set_, zSwitch, 0).At(tau - onTime);
}

void StepResponse::PeriodExtremes(double n, double from, double to, Range& range) const {
    const double start = n * period_;
    const double a = std::clamp(from - start, 0.0, period_);
    const double b = std::clamp(to - start, a, period_);
    double z[2];
    double duty = 0;
    PeriodStart(n, z, duty);
    const double onTime = duty * period_;
    const auto include = [&](const modal::StretchExtremes& x) {
        range.low = std::min(range.low, e_ * x.low);
        range.high = std::max(range.high, e_ * x.high);
    };
    const modal::ModalStretch on = modes::Stretch(set_, z, 1);
    if (duty > 0 && a <= onTime)
        include(modal::ExtremesOver(on, a, std::min(b, onTime), 0));
    if (duty < 1 && b >= onTime) {
        double zSwitch[2] = {z[0], z[1]};
        if (duty > 0)
            for (int i = 0; i < set_.count; ++i)
                zSwitch[i] = on.Mode(i, onTime);
        include(modal::ExtremesOver(modes::Stretch(set_, zSwitch, 0), std::max(a, onTime) - onTime,
                                    b - onTime, 0));
    }
}

void StepResponse::WalkExtremes(double from, double to, Range& range) const {
    // Past 2^53 periods n + 1 rounds back to n: each step goes on to the next whole number a
    // double holds, so that the walk ends however far out the range lies.
    const double first = std::floor(from / period_);
    const double last = std::floor(to / period_);
    for (double n = first; n <= last; n = std::max(n + 1, std::nextafter(n, kInfinity)))
        PeriodExtremes(n, from, to, range);
}

StepResponse::Range StepResponse::Over(double from, double to) const {
    Range range{kInfinity, -kInfinity};
    if (from < 0) {
        const double end = std::min(to, 0.0);
        if (end - from >= period_)
            PeriodExtremes(-1, -period_, 0, range); // the settled period at D0, all of it
        else
            WalkExtremes(from, end, range);
    }
    if (to < 0)
        return range;
    // [max(from, 0), to] in stretches where the decay is monotone.
    const double start = std::max(from, 0.0);
    double cuts[3] = {start, to, to};
    int pieces = 1;
    if (const std::optional<double> turn = decay_.Stationary();
        turn && *turn > start && *turn < to) {
        cuts[1] = *turn;
        pieces = 2;
    }
    for (int piece = 0; piece < pieces; ++piece) {
        const double a = cuts[piece];
        const double b = cuts[piece + 1];
        if (b - a <= kPeriodsWalked * period_) {
            WalkExtremes(a, b, range);
            continue;
        }
        // The same phase a period later has the same settled part and a decay further along:
        // where the decay rises the highest output lies within the last period and the lowest
        // within the first; where it falls, the other way round.
        Range first{kInfinity, -kInfinity};
        Range last{kInfinity, -kInfinity};
        WalkExtremes(a, a + period_, first);
        WalkExtremes(b - period_, b, last);
        const bool rising = decay_.At(b) >= decay_.At(a);
        range.high = std::max(range.high, rising ? last.high : first.high);
        range.low = std::min(range.low, rising ? first.low : last.low);
    }
    return range;
}

} // namespace engine
