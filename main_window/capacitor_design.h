// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The closed-form design behind "Calcola C", apart from the window.

#include <variant>

namespace main_window {

struct CapacitorDesign {
    double D; // duty cycle as a fraction
    double C; // capacitance, nF
};

// Why a design has no representable answer.
enum class DesignFault {
    DutyCycle,   // Vom/E is too small to represent: D would read 0 for a positive Vom
    Capacitance, // a product overflows, or the divisor comes out as 0
};

using DesignResult = std::variant<CapacitorDesign, DesignFault>;

// D = Vom/E and C = D*E*(1 - D) * 1e9 / (R*f*DeltaVo), grouped as
// ((D*E)*(1 - D))*1e9 / ((R*f)*DeltaVo), with E and Vom in V, f in Hz, DeltaVo in V and R in
// ohm; C comes out in nF. For 0 < Vom <= E the duty cycle lies in (0, 1] and C is finite, or
// the result is the fault that kept it from being so.
DesignResult ComputeCapacitorDesign(double E, double Vom, double f, double DeltaVo, double R);

} // namespace main_window
