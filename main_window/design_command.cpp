// "Calcola C": the duty cycle and the capacitance that hold the output ripple at the wanted
// value, shown in Label25 and copied into the verification fields for the graph command.

#include "app/control_table.h"
#include "app/message.h"
#include "app/number_text.h"
#include "main_window/capacitor_design.h"
#include "main_window/field_messages.h"
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

constexpr char16_t kCapacitanceFault[] =
    u"Errore di calcolo: con questi dati il calcolo di C esce dall'intervallo dei numeri "
    u"rappresentabili.";

} // namespace

void Form1::DesignCapacitor() {
    for (const FieldRule& rule : {kAmplitude, kMeanOutput, kFrequency, kRipple, kResistance})
        if (!FieldPasses(rule))
            return;

    // Each value is stored before its range test; a number that is not representable is not
    // stored at all.
    const auto E = ReadScaled(kAmplitude, 1);
    if (!E)
        return;
    state_.E = *E;
    if (!(state_.E > 0))
        return RejectValue(u"La tensione in ingresso non può essere zero o negativa!");

    const auto Vom = ReadScaled(kMeanOutput, 1);
    if (!Vom)
        return;
    state_.Vom = *Vom;
    if (!(state_.Vom > 0 && state_.Vom <= state_.E))
        return RejectValue(u"La tensione in uscita non può essere zero o negativa o maggiore di E!");

    const auto f = ReadScaled(kFrequency, 1000);
    if (!f)
        return;
    state_.f = *f;
    if (!(state_.f > 0))
        return RejectValue(u"La frequenza non può essere zero o negativa!");

    const auto DeltaVo = ReadScaled(kRipple, 0.001);
    if (!DeltaVo)
        return;
    state_.DeltaVo = *DeltaVo;
    if (!(state_.DeltaVo > 0))
        return RejectValue(u"DeltaVo non può essere zero o negativo!");

    const auto R = ReadScaled(kResistance, 1000);
    if (!R)
        return;
    state_.R = *R;
    if (!(state_.R > 0))
        return RejectValue(u"R non può essere zero o negativa!");

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
