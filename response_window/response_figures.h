// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the response window shows, as numbers, apart from any widget: the step of duty cycle with
// its settling band and settling time and the length of its time axis, and the frequency response
// with its cut-off, its attenuation at f, its slope and its frequency axis.

#include "engine/filter_circuit.h"
#include "engine/modal_pieces.h"
#include "engine/step_response.h"

#include <optional>

namespace response_window {

// The circuit "Risposta" takes from the verification fields: the pulse train and the filter.
struct ResponseInput {
    double E = 0, D = 0, f = 0; // V, fraction, Hz
    engine::FilterCircuit circuit;
    // One RC without a load: its figures come from the program's first closed forms.
    bool IsPlainRc() const { return !circuit.second && !circuit.RL; }
};

// What the window's own fields give: the duty cycle the circuit is settled at before t = 0
// (a fraction in [0, 1)), and the resolution of the converter in bits (none: a band of 1 % of the
// step).
struct StepChoice {
    double fromDuty = 0;
    std::optional<int> bits;
};

struct StepFigures {
    engine::StepResponse response;
    double band = 0;     // V: the settling band is the final mean ± band
    double settling = 0; // s: from then on the mean response stays within the band
    double periods = 0;  // the settling in whole periods, rounded up
    double whole = 0;    // s: the time axis, 1.5 × the settling time or 10 periods, the longer
    double shortest = 0; // s: the shortest span to zoom to
    // The mean response (to the mean input, without the ripple) from t = 0: the final mean plus
    // this departure, V.
    engine::modal::DecayingSum meanDeparture;
    std::optional<double> ripple; // V, the settled output's peak to peak at D

    double MeanResponseAt(double t) const {
        return t <= 0 ? response.StartMean() : response.FinalMean() + meanDeparture.At(t);
    }
};

// The half-width of the settling band: 1 % of the change of mean without bits, otherwise
// half a least significant bit of a converter of full scale E·g, E·g/2^(n+1).
double SettlingBand(const ResponseInput& input, double gain, const StepChoice& choice);

// The step for the input and the window's choice; none when the circuit, its response or its
// settling time lies beyond the range of doubles.
std::optional<StepFigures> StepFiguresOf(const ResponseInput& input, const StepChoice& choice);

struct BodeFigures {
    engine::FilterCircuit circuit;
    double f = 0;                      // Hz, the pulse train's
    std::optional<double> cutoff;      // Hz, as the graph window shows it
    std::optional<double> attenuation; // dB at f, as the graph window shows it
    double slope = 0;                  // dB per decade far above the cut-off
    int order = 1;
    // The frequency axis, logarithmic: from 10^logLow Hz over this many decades, from a hundredth
    // of the lower of fc and f to a hundred times the higher. None without a cut-off.
    std::optional<double> logLow;
    double decades = 0;
};

BodeFigures BodeFiguresOf(const ResponseInput& input);

// The shortest span of the frequency axis, in decades (or the whole axis, if shorter).
inline constexpr double kShortestDecades = 0.1;

} // namespace response_window
