// SPDX-License-Identifier: GPL-3.0-or-later
// "Dati Esempio" and "Calcola C": the duty cycle and the capacitance that hold the output ripple
// at the wanted value, shown in Label25 and copied into the verification fields for the graph
// command.

#include "main_window/design_command.h"

#include "app/number_text.h"
#include "app/text.h"
#include "engine/filter_design.h"
#include "engine/ideal_circuit.h"
#include "main_window/capacitor_design.h"
#include "main_window/command_steps.h"
#include "main_window/field_rules.h"
#include "main_window/form1_controls.h"

#include <cmath>
#include <variant>
#include <vector>

namespace main_window {

namespace {

const ValueStep kStageRatioStep{
    kDesignStageRatio, 1, &app::DesignState::k, [](const app::DesignState& s) { return s.k > 0; },
    QT_TRANSLATE_NOOP("Velmaro", "Il rapporto k non può essere zero o negativo!")};

// A duty cycle too small to represent, or a capacitance whose calculation overflows.
QString DesignFaultMessage(DesignFault fault) {
    return fault == DesignFault::DutyCycle
               ? app::Text::tr("Errore di calcolo: con questi dati il calcolo di D esce "
                               "dall'intervallo dei numeri rappresentabili.")
               : app::Text::tr("Errore di calcolo: con questi dati il calcolo di C esce "
                               "dall'intervallo dei numeri rappresentabili.");
}

// The real circuit's C for the wanted ripple in nF, empty where it cannot be represented; then
// the part to buy for it (none when every C keeps the ripple within ΔVo, or none is known).
void ShowRealCapacitance(const app::DesignState& state, MainWindowView& view) {
    const std::optional<double> farads =
        engine::ExactCapacitance(state.E, state.Vom, state.f, state.DeltaVo, state.R);
    const std::optional<double> nanofarads = farads ? std::optional(*farads * 1e9) : std::nullopt;
    view.SetResultText(kExactCLabel,
                       app::FormatFinite(nanofarads, app::NumberPattern::Scientific2));
    view.SetResultText(kExactC2Label, QString());
    view.ShowPartFor({state.E, state.D, state.f, state.DeltaVo, state.R, nanofarads.value_or(0)});
}

// The first design of the program: one RC and no load, C in closed form.
void DesignPlainRc(app::DesignState& state, MainWindowView& view, CommandSteps& steps) {
    const DesignResult design =
        ComputeCapacitorDesign(state.E, state.Vom, state.f, state.DeltaVo, state.R);
    if (const auto* fault = std::get_if<DesignFault>(&design))
        return steps.Reject(DesignFaultMessage(*fault));
    const double nanofarads = std::get<CapacitorDesign>(design).C;
    state.D = std::get<CapacitorDesign>(design).D;
    state.C = nanofarads * 1e-9;

    view.SetResultText(kDesignCLabel,
                       app::FormatNumber(nanofarads, app::NumberPattern::Scientific2));
    ShowRealCapacitance(state, view);
    // All five values are finite here: E and C as tested, the others scaled down or bounded.
    steps.WriteVerificationField(kVerifyE.field, state.E);
    steps.WriteVerificationField(kVerifyF.field, state.f / 1000);
    steps.WriteVerificationField(kVerifyD.field, state.D * 100);
    steps.WriteVerificationField(kVerifyC.field, nanofarads);
    steps.WriteVerificationField(kVerifyR.field, state.R * 0.001);
    for (const Form1Field field : {kVerifyR2.field, kVerifyC2.field, kVerifyLoad.field})
        view.SetFieldText(field, QString());
}

// Any other circuit: a load RL across the output, a second stage R2 = k·R, C2 = C/k, or both.
// The duty cycle makes up for the load's divider g = RL/(R + R2 + RL), and C is the real
// circuit's exact one for the ripple.
void DesignFilter(app::DesignState& state, MainWindowView& view, CommandSteps& steps) {
    const engine::FilterShape shape{state.R,
                                    state.order == 2 ? std::optional(state.k) : std::nullopt,
                                    state.RL};
    const double R2 = shape.k ? *shape.k * state.R : 0;
    const double g = state.RL ? *state.RL / ((state.R + R2) + *state.RL) : 1;
    const double D = state.Vom / (state.E * g);
    if (!std::isfinite(D) || (D == 0 && state.Vom != 0))
        return steps.Reject(DesignFaultMessage(DesignFault::DutyCycle));
    if (D > 1)
        return steps.Reject(app::Text::tr("Con il carico RL la tensione Vom non si raggiunge: "
                                          "servirebbe un duty cycle oltre il 100 %!"));
    const std::optional<double> farads =
        engine::ExactCapacitanceOf(shape, state.E, D, state.f, state.DeltaVo);
    // Every value to be written must be a number: C in nF, and the second stage's R2 and C/k.
    const double nanofarads = farads.value_or(0) * 1e9;
    if (!farads || !std::isfinite(nanofarads) || !std::isfinite(R2) ||
        (shape.k && !std::isfinite(nanofarads / *shape.k)))
        return steps.Reject(DesignFaultMessage(DesignFault::Capacitance));
    state.D = D;
    state.C = *farads;

    using app::FormatNumber, app::NumberPattern;
    view.SetResultText(kDesignCLabel, FormatNumber(nanofarads, NumberPattern::Scientific2));
    view.SetResultText(kExactCLabel, FormatNumber(nanofarads, NumberPattern::Scientific2));
    view.SetResultText(kExactC2Label, shape.k ? FormatNumber(nanofarads / *shape.k,
                                                               NumberPattern::Scientific2)
                                               : QString());
    view.ShowPartFor({state.E, D, state.f, state.DeltaVo, state.R, nanofarads, shape.k, state.RL});
    steps.WriteVerificationField(kVerifyE.field, state.E);
    steps.WriteVerificationField(kVerifyF.field, state.f / 1000);
    steps.WriteVerificationField(kVerifyD.field, D * 100);
    steps.WriteVerificationField(kVerifyC.field, nanofarads);
    steps.WriteVerificationField(kVerifyR.field, state.R * 0.001);
    if (shape.k) {
        steps.WriteVerificationField(kVerifyR2.field, R2 * 0.001);
        steps.WriteVerificationField(kVerifyC2.field, nanofarads / *shape.k);
    } else {
        view.SetFieldText(kVerifyR2.field, QString());
        view.SetFieldText(kVerifyC2.field, QString());
    }
    if (state.RL)
        steps.WriteVerificationField(kVerifyLoad.field, *state.RL * 0.001);
    else
        view.SetFieldText(kVerifyLoad.field, QString());
}

} // namespace

void RunExampleData(MainWindowView& view) {
    view.SetFieldText(kDesignE.field, "10");
    view.SetFieldText(kDesignVom.field, "5");
    view.SetFieldText(kDesignF.field, "10");
    view.SetFieldText(kDesignDeltaVo.field, "100");
    view.SetFieldText(kDesignR.field, "10");
}

void RunDesignCommand(app::DesignState& state, MainWindowView& view) {
    CommandSteps steps(state, view);
    const int order = view.ChoiceIndex(kOrderList) == 1 ? 2 : 1;
    const bool loaded = !view.FieldText(kDesignLoad.field).isEmpty();
    std::vector<FieldRule> checked{kDesignE, kDesignVom, kDesignF, kDesignDeltaVo, kDesignR};
    if (order == 2)
        checked.push_back(kDesignStageRatio);
    if (loaded)
        checked.push_back(kDesignLoad);
    if (!steps.FieldsPass(checked))
        return;
    for (const ValueStep& step : kDesignSteps)
        if (!steps.TakeValue(step))
            return;
    state.order = order;
    if (order == 2 && !steps.TakeValue(kStageRatioStep))
        return;
    if (!steps.TakeOptionalValue(kDesignLoad, 1000, &app::DesignState::RL, kLoadRejection,
                                 Blacken::Never))
        return;
    if (order == 1 && !state.RL)
        return DesignPlainRc(state, view, steps);
    DesignFilter(state, view, steps);
}

} // namespace main_window
