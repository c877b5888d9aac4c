// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/capacitor_design.h"

#include <cmath>

namespace main_window {

DesignResult ComputeCapacitorDesign(double E, double Vom, double f, double DeltaVo, double R) {
    const double D = Vom / E;
    if (!std::isfinite(D) || (D == 0 && Vom != 0))
        return DesignFault::DutyCycle;
    const double numerator = ((D * E) * (1 - D)) * 1e9;
    const double divisor = (R * f) * DeltaVo;
    const double C = numerator / divisor;
    if (!std::isfinite(numerator) || !std::isfinite(divisor) || divisor == 0 || !std::isfinite(C))
        return DesignFault::Capacitance;
    return CapacitorDesign{D, C};
}

} // namespace main_window
