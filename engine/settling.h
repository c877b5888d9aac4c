// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one meaning of settling in the program: after a change of duty cycle from D0 to D, the
// time after which the filter's mean response stays within a band around its final value for
// good. The mean response is the circuit's response to the mean input, without the ripple: the
// constant input stepping from D0·E to D·E at t = 0, from the state settled at D0·E. Its
// departure from D·E·g is (D0 − D)·E·Σγi·e^(−ri·t), a decaying sum. Every window shows its
// settling from here, with the band it names.

#include "engine/filter_circuit.h"
#include "engine/modal_pieces.h"

#include <optional>

namespace engine {

struct Settling {
    double seconds = 0; // s, 0 when the mean response never leaves the band
    double periods = 0; // seconds × f, rounded up: whole periods, at least 1 once seconds > 0
};

// The mean response's departure from its final value D·E·g, in V, as a decaying sum of t (s).
// E >= 0, D0 and D in [0, 1], all finite, and a valid circuit; else empty.
std::optional<modal::DecayingSum> MeanDepartureOf(const FilterCircuit& circuit, double e,
                                                  double d0, double d);

// The settling for a band of ± band volts (>= 0, finite) and the pulse train's f (Hz, > 0).
// Empty for inputs outside their ranges, and when the time or the periods lie beyond the range
// of doubles (a band of 0 around a step that moves is never reached).
std::optional<Settling> SettlingOf(const FilterCircuit& circuit, double e, double d0, double d,
                                   double f, double band);

// 1 % of the change of mean, |D − D0|·E·g/100, V: the band the graph window always uses and the
// response window without a converter's bits.
double OnePercentBand(double e, double gain, double d0, double d);

} // namespace engine
