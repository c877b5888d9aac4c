// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The response of a filter circuit (filter_circuit.h) to a change of duty cycle, exact and
// continuous. Until t = 0 the circuit is settled at duty D0 (D0 = 0: discharged capacitors); at
// t = 0, the start of one of its periods, the pulse train goes on at duty D. Every mode is then
// its settled period at D plus a decay: y(t) = P(t) + Σ βi·e^(−ri·t) for t >= 0, with P the
// settled output at D (period T) and βi = E·γi·(zi(D0) − zi(D)) from the modes' settled starts.
// A sum of two decaying exponentials has at most one turning point, so over any stretch where
// the decay is monotone the highest and lowest output lie within one period of its ends: the
// extremes of any time range take a bounded amount of work, however many periods it spans.

#include "engine/filter_circuit.h"
#include "engine/filter_modes.h"

#include <optional>

namespace engine {

class StepResponse {
public:
    // E (V) >= 0, D0 and D in [0, 1], f (Hz) > 0, all finite, and a valid circuit; else empty.
    static std::optional<StepResponse> Of(const FilterCircuit& circuit, double e, double d0,
                                          double d, double f);

    double Period() const { return period_; } // s

    // The output at t (s), any finite t; before 0, the settled period at D0.
    double At(double t) const;

    // The lowest and highest output over [from, to] (s, from <= to, both finite), exact: at the
    // ends, at switching instants and at the turning points of the stretches between them.
    struct Range {
        double low, high;
    };
    Range Over(double from, double to) const;

    double StartMean() const { return startMean_; } // V, D0·E·g
    double FinalMean() const { return finalMean_; } // V, D·E·g

private:
    StepResponse() = default;

    // The modes at the start of period n (as fractions of E), and its duty.
    void PeriodStart(double n, double (&z)[2], double& duty) const;
    // The output's extremes over [from, to] within period n (its start nT <= from <= to).
    void PeriodExtremes(double n, double from, double to, Range& range) const;
    // The output's extremes over [from, to] by walking its periods; a few only.
    void WalkExtremes(double from, double to, Range& range) const;
    modes::ModeSet set_;
    modes::SettledModes before_, after_; // settled at D0 and at D
    double e_ = 0, d0_ = 0, d_ = 0, period_ = 0;
    double startMean_ = 0, finalMean_ = 0;
    modal::DecayingSum decay_; // Σ βi·e^(−ri·t), V
};

} // namespace engine
