// "Grafici": the verification data and run settings into the design state, then the plot of
// the simulated waveforms and the simulated ripple and mean output.

#include "app/control_table.h"
#include "app/message.h"
#include "app/number_text.h"
#include "engine/simulation.h"
#include "graph_window/form2.h"
#include "graph_window/simulate_and_plot.h"
#include "main_window/field_rules.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdint>
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
    case RunRefusal::TooManySamples:
    {
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

constexpr char16_t kNoMemory[] =
    u"Memoria insufficiente per simulare questo numero di campioni N!";
constexpr char16_t kNotRepresentable[] =
    u"La simulazione ha dato valori fuori dall'intervallo dei numeri rappresentabili: "
    u"controlla i dati di verifica!";

// The wait cursor for as long as the run and the drawing take; set without yielding.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

std::optional<std::int32_t> Form1::ReadCount(const FieldRule& rule) {
    const std::optional<double> reading =
        ReadFieldNumber(Field(rule.field).text().toStdU16String());
    const std::optional<std::int32_t> count = reading ? ToCount(*reading) : std::nullopt;
    if (!count)
        RejectValue(CountOutOfRangeMessage(rule).c_str());
    return count;
}

void Form1::PlotWaveforms() {
    for (const FieldRule& rule : {kAmplitude, kDutyCycle, kFrequency, kResistance, kCapacitance,
                                  kSamples, kPeriodsDrawn, kPeriodsSimulated})
        if (!FieldPasses(rule))
            return;

    for (const ValueStep& step : kCircuitSteps)
        if (!TakeValue(step))
            return;

    for (auto [rule, count] : {std::pair{kSamples, &state_.N}, {kPeriodsDrawn, &state_.NP},
                               {kPeriodsSimulated, &state_.NI}}) {
        const std::optional<std::int32_t> read = ReadCount(rule);
        if (!read)
            return;
        *count = *read;
    }

    // Settings the engine cannot run are refused before the plot is touched, so an earlier
    // plot and its results stay on show.
    if (const RunRefusal refusal = CheckRunSettings(state_); refusal != RunRefusal::None)
        return RejectValue(RefusalMessage(refusal).c_str());

    Form2& graph = GraphWindow();
    graph.BlankPlot();
    PlotOutcome outcome;
    {
        WaitCursor wait;
        outcome = SimulateAndPlot(graph, state_);
    }
    if (outcome == PlotOutcome::NoMemory)
        return RejectValue(kNoMemory);
    if (outcome == PlotOutcome::NotRepresentable)
        return RejectValue(kNotRepresentable);
    graph.ShowResults(state_.DeltaVoVera, state_.VomVera);
}
