#include "main_window/capacitor_design.h"

#include <cmath>

std::optional<CapacitorDesign> ComputeCapacitorDesign(double E, double Vom, double f,
                                                      double DeltaVo, double R) {
    const double D = Vom / E;
    const double numerator = ((D * E) * (1 - D)) * 1e9;
    const double divisor = (R * f) * DeltaVo;
    const double C = numerator / divisor;
    if (!std::isfinite(D) || !std::isfinite(numerator) || !std::isfinite(divisor) ||
        divisor == 0 || !std::isfinite(C))
        return std::nullopt;
    return CapacitorDesign{D, C};
}
