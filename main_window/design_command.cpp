// "Dati Esempio" and "Calcola C": the duty cycle and the capacitance that hold the output ripple
// at the wanted value, shown in Label25 and copied into the verification fields for the graph
// command.

#include "main_window/design_command.h"

#include "app/number_text.h"
#include "main_window/capacitor_design.h"
#include "main_window/command_steps.h"

#include <variant>

namespace {

constexpr FieldRule kAmplitude{"Text1", u"la tensione di ingresso E"};
constexpr FieldRule kMeanOutput{"Text2", u"il valore della tensione desiderata in uscita Vom"};
constexpr FieldRule kFrequency{"Text3",
                               u"il valore della frequenza del segnale in ingresso f in kHz"};
constexpr FieldRule kRipple{"Text4", u"il valore di DeltaVo in mV"};
constexpr FieldRule kResistance{"Text6", u"il valore di R in kohm"};

// In the order they are converted, each value stored before its test.
const ValueStep kDesignSteps[] = {
    {kAmplitude, 1, &DesignState::E, [](const DesignState& s) { return s.E > 0; },
     u"La tensione in ingresso non può essere zero o negativa!"},
    {kMeanOutput, 1, &DesignState::Vom,
     [](const DesignState& s) { return s.Vom > 0 && s.Vom <= s.E; },
     u"La tensione in uscita non può essere zero o negativa o maggiore di E!"},
    {kFrequency, 1000, &DesignState::f, [](const DesignState& s) { return s.f > 0; },
     u"La frequenza non può essere zero o negativa!"},
    {kRipple, 0.001, &DesignState::DeltaVo, [](const DesignState& s) { return s.DeltaVo > 0; },
     u"DeltaVo non può essere zero o negativo!"},
    {kResistance, 1000, &DesignState::R, [](const DesignState& s) { return s.R > 0; },
     u"R non può essere zero o negativa!"},
};

// A duty cycle too small to represent, or a capacitance whose calculation overflows.
std::u16string DesignFaultMessage(DesignFault fault) {
    return std::u16string(u"Errore di calcolo: con questi dati il calcolo di ") +
           (fault == DesignFault::DutyCycle ? u"D" : u"C") +
           u" esce dall'intervallo dei numeri rappresentabili.";
}

} // namespace

void RunExampleData(MainWindowView& view) {
    view.SetFieldText("Text1", "10");
    view.SetFieldText("Text2", "5");
    view.SetFieldText("Text3", "10");
    view.SetFieldText("Text4", "100");
    view.SetFieldText("Text6", "10");
}

void RunDesignCommand(DesignState& state, MainWindowView& view) {
    CommandSteps steps(state, view);
    if (!steps.FieldsPass({kAmplitude, kMeanOutput, kFrequency, kRipple, kResistance}))
        return;
    for (const ValueStep& step : kDesignSteps)
        if (!steps.TakeValue(step))
            return;

    const DesignResult design =
        ComputeCapacitorDesign(state.E, state.Vom, state.f, state.DeltaVo, state.R);
    if (const auto* fault = std::get_if<DesignFault>(&design))
        return steps.Reject(DesignFaultMessage(*fault));
    state.D = std::get<CapacitorDesign>(design).D;
    state.C = std::get<CapacitorDesign>(design).C;

    view.SetResultCaption(FormatNumber(state.C, NumberPattern::Scientific2));
    // All five values are finite here: E and C as tested, the others scaled down or bounded.
    steps.WriteVerificationField("Text7", state.E);
    steps.WriteVerificationField("Text12", state.f / 1000);
    steps.WriteVerificationField("Text8", state.D * 100);
    steps.WriteVerificationField("Text10", state.C);
    steps.WriteVerificationField("Text9", state.R * 0.001);
}
