// "Calcola C": the duty cycle and the capacitance that hold the output ripple at the wanted
// value, shown in Label25 and copied into the verification fields for the graph command.

#include "app/control_table.h"
#include "app/message.h"
#include "app/number_text.h"
#include "main_window/capacitor_design.h"
#include "main_window/field_rules.h"
#include "main_window/form1.h"

#include <QLabel>
#include <QLineEdit>

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

constexpr char16_t kCapacitanceFault[] =
    u"Errore di calcolo: con questi dati il calcolo di C esce dall'intervallo dei numeri "
    u"rappresentabili.";

} // namespace

void Form1::DesignCapacitor() {
    for (const FieldRule& rule : {kAmplitude, kMeanOutput, kFrequency, kRipple, kResistance})
        if (!FieldPasses(rule))
            return;

    // A number that is not representable is not stored at all.
    for (const ValueStep& step : kDesignSteps)
        if (!TakeValue(step))
            return;

    const std::optional<CapacitorDesign> design =
        ComputeCapacitorDesign(state_.E, state_.Vom, state_.f, state_.DeltaVo, state_.R);
    if (!design)
        return RejectValue(kCapacitanceFault);
    state_.D = design->D;
    state_.C = design->C;

    findChild<QLabel*>("Label25")->setText(FormatNumber(state_.C, NumberPattern::Scientific2));
    // All five values are finite here: E and C as tested, the others scaled down or bounded.
    WriteVerificationField("Text7", state_.E);
    WriteVerificationField("Text12", state_.f / 1000);
    WriteVerificationField("Text8", state_.D * 100);
    WriteVerificationField("Text10", state_.C);
    WriteVerificationField("Text9", state_.R * 0.001);
}

void Form1::WriteVerificationField(const char* name, double value) {
    state_.FormatBuffer = FormatNumber(value, NumberPattern::Scientific3).toStdU16String();
    FixDecimalPoint(state_.FormatBuffer);
    QLineEdit& field = Field(name);
    field.setText(QString::fromStdU16String(state_.FormatBuffer));
    SetTextColour(field, kPaletteBlue);
}
