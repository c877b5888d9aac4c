// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The state shared by the commands, the engine and the graph window. Plain C++ on purpose:
// the engine and the field check use it without any toolkit.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace engine {
class SimulatedRun;
}

namespace app {

struct DesignState {
    // Circuit, in SI units once the graph command has converted the verification fields.
    // After "Calcola C" C holds nanofarads; the graph command stores farads.
    double E = 0;       // pulse amplitude, V
    double Vom = 0;     // wanted mean output, V
    double f = 0;       // pulse frequency, Hz
    double DeltaVo = 0; // allowed peak ripple, V
    double R = 0;       // resistance, ohm
    double C = 0;       // capacitance, nF or F (see above)
    double D = 0;       // duty cycle as a fraction

    // Run settings.
    std::int32_t N = 0;  // samples per period
    std::int32_t NP = 0; // periods drawn
    std::int32_t NI = 0; // periods simulated

    // Taken from the completed run that the plot shows: the time step and one period of
    // samples, indices 0 to N+1, which belong to that run and live as long as it is held here.
    // The arrays are empty (absent) until the first run, and while a run goes on or after one
    // that failed or was stopped.
    double dt = 0;
    std::span<const double> Vi, Vo, iC;
    std::shared_ptr<const engine::SimulatedRun> run;

    // The statistics of that run.
    double ViMax = 0, IcMax = 0, VoMax = 0, VoMin = 0;
    double DeltaVoVera = 0; // simulated peak-to-peak ripple, mV
    double VomVera = 0;     // simulated mean output, V

    // Field check protocol: the text under test and the two messages the check may show.
    std::u16string FieldText;
    std::u16string MissingMsg;
    std::u16string InvalidMsg;
    std::int16_t InputError = 0;

    // A formatted number on its way into a verification field.
    std::u16string FormatBuffer;
};

} // namespace app
