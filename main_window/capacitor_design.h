#pragma once

// The closed-form design behind "Calcola C", apart from the window.

#include <optional>

struct CapacitorDesign {
    double D; // duty cycle as a fraction
    double C; // capacitance, nF
};

// D = Vom/E and C = D*E*(1 - D) * 1e9 / (R*f*DeltaVo), grouped as
// ((D*E)*(1 - D))*1e9 / ((R*f)*DeltaVo), with E and Vom in V, f in Hz, DeltaVo in V and R in
// ohm. Empty when a product overflows or the divisor comes out as 0, so that C would not be a
// finite number. For 0 < Vom <= E the duty cycle lies in (0, 1], except that a ratio Vom/E below
// the smallest positive double (E "1e302", Vom "1e-320") comes out as D = 0 and so C = 0; the
// graph command then refuses that duty cycle.
std::optional<CapacitorDesign> ComputeCapacitorDesign(double E, double Vom, double f,
                                                      double DeltaVo, double R);
