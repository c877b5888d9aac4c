// "Grafici" up to the plot: the verification data and the run settings into the design state.

#include "main_window/graph_command.h"

#include "engine/simulation.h"
#include "main_window/command_steps.h"

#include <string>

namespace {

constexpr FieldRule kAmplitude{"Text7", u"la tensione di ingresso E"};
constexpr FieldRule kDutyCycle{"Text8", u"il valore del Duty Cycle in %"};
constexpr FieldRule kFrequency{"Text12",
                               u"il valore della frequenza del segnale in ingresso f in kHz"};
constexpr FieldRule kResistance{"Text9", u"il valore della resistenza R in kohm"};
constexpr FieldRule kCapacitance{"Text10", u"il valore della capacità in nF"};
constexpr FieldRule kSamples{"Text13", u"il numero dei campioni N"};
constexpr FieldRule kPeriodsDrawn{"Text14", u"il numero dei periodi visualizzati NP"};
constexpr FieldRule kPeriodsSimulated{"Text15", u"il numero delle iterazioni NI"};

// In the order they are converted (the capacitance before the resistance), each value stored
// before its test. E and D turn black as soon as they are taken over, accepted or not; f, C and
// R only once accepted.
const ValueStep kCircuitSteps[] = {
    {kAmplitude, 1, &DesignState::E, [](const DesignState& s) { return s.E > 0; },
     u"La tensione in ingresso non può essere zero o negativa!", Blacken::OnceRead},
    {kDutyCycle, 0.01, &DesignState::D, [](const DesignState& s) { return s.D > 0 && s.D < 1; },
     u"Il Duty Cycle non può essere zero o negativo o maggiore o uguale al 100%!",
     Blacken::OnceRead},
    {kFrequency, 1000, &DesignState::f, [](const DesignState& s) { return s.f > 0; },
     u"La frequenza non può essere zero o negativa!", Blacken::OnceAccepted},
    {kCapacitance, 1e-9, &DesignState::C, [](const DesignState& s) { return s.C > 0; },
     u"La capacità non può essere zero o negativa!", Blacken::OnceAccepted},
    {kResistance, 1000, &DesignState::R, [](const DesignState& s) { return s.R > 0; },
     u"La resistenza non può essere zero o negativa!", Blacken::OnceAccepted},
};

// What the user is told when the engine cannot run the settings.
std::u16string RefusalMessage(RunRefusal refusal) {
    switch (refusal) {
    case RunRefusal::None:
        break;
    case RunRefusal::NoSamples:
        return u"Il numero dei campioni N deve essere almeno 1!";
    case RunRefusal::TooManySamples: {
        const std::string limit = std::to_string(kMaxSamplesPerPeriod);
        return u"Il numero dei campioni N non può superare " +
               std::u16string(limit.begin(), limit.end()) + u"!";
    }
    case RunRefusal::NoPeriods:
        return u"Il numero delle iterazioni NI deve essere almeno 1!";
    case RunRefusal::DutyOutOfRange:
        return u"Il Duty Cycle non permette di collocare la commutazione all'interno del periodo!";
    case RunRefusal::NonFiniteTimeStep:
        return u"La frequenza è troppo bassa: il passo di simulazione (1/f)/N non è "
               u"rappresentabile!";
    case RunRefusal::ZeroTimeStep:
        return u"La frequenza è troppo alta per questo numero di campioni N: il passo di "
               u"simulazione (1/f)/N risulta nullo!";
    case RunRefusal::UnstableStep:
        return u"Il passo di simulazione (1/f)/N supera il doppio della costante di tempo R*C: "
               u"la simulazione sarebbe instabile. Aumenta il numero dei campioni N!";
    }
    return u"";
}

} // namespace

bool TakeGraphSettings(DesignState& state, MainWindowView& view) {
    CommandSteps steps(state, view);
    if (!steps.FieldsPass({kAmplitude, kDutyCycle, kFrequency, kResistance, kCapacitance, kSamples,
                           kPeriodsDrawn, kPeriodsSimulated}))
        return false;
    for (const ValueStep& step : kCircuitSteps)
        if (!steps.TakeValue(step))
            return false;
    if (!steps.TakeCount(kSamples, &DesignState::N) ||
        !steps.TakeCount(kPeriodsDrawn, &DesignState::NP) ||
        !steps.TakeCount(kPeriodsSimulated, &DesignState::NI))
        return false;

    // Settings the engine cannot run are refused before the plot is touched, so an earlier
    // plot and its results stay on show.
    if (const RunRefusal refusal = CheckRunSettings(state); refusal != RunRefusal::None) {
        steps.Reject(RefusalMessage(refusal));
        return false;
    }
    return true;
}
