// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/chooser_command.h"

#include "main_window/command_steps.h"
#include "main_window/field_rules.h"
#include "main_window/part_group.h"

#include <vector>

namespace main_window {

using app::DesignState;

namespace {

// The design data the chooser needs, as "Calcola C" converts them: E, Vom, f and R.
const ValueStep kChooserSteps[] = {kDesignSteps[0], kDesignSteps[1], kDesignSteps[2],
                                   kDesignSteps[4]};

} // namespace

std::optional<chooser_window::ChooserDesign> RunChooserCommand(DesignState& state,
                                                               MainWindowView& view) {
    CommandSteps steps(state, view);
    std::vector<FieldRule> checked{kDesignE, kDesignVom, kDesignF, kDesignR};
    if (!view.FieldText(kDesignLoad.field).isEmpty())
        checked.push_back(kDesignLoad);
    if (!steps.FieldsPass(checked))
        return std::nullopt;
    for (const ValueStep& step : kChooserSteps)
        if (!steps.TakeValue(step))
            return std::nullopt;
    if (!steps.TakeOptionalValue(kDesignLoad, 1000, &DesignState::RL, kLoadRejection,
                                 Blacken::Never))
        return std::nullopt;
    const PartChoice part = PartChoiceAt(view.ChoiceIndex(kPartCombos[0].combo),
                                         view.ChoiceIndex(kPartCombos[1].combo),
                                         view.ChoiceIndex(kPartCombos[2].combo));
    return chooser_window::ChooserDesign{state.E,  state.f,     state.R,         state.RL,
                                         part.series, part.tolerances, state.Vom};
}

void UseChosenFilter(MainWindowView& view, const chooser_window::ChosenFilter& chosen) {
    const auto write = [&view](Form1Field field, std::optional<double> value) {
        if (value)
            WriteVerificationField(view, field, *value);
        else
            view.SetFieldText(field, QString());
    };
    const auto scaled = [](std::optional<double> value, double scale) {
        return value ? std::optional(*value * scale) : std::nullopt;
    };
    if (chosen.pulse) {
        WriteVerificationField(view, kVerifyE.field, chosen.pulse->e);
        WriteVerificationField(view, kVerifyF.field, chosen.pulse->f * 1e-3);
        WriteVerificationField(view, kVerifyD.field, chosen.pulse->d * 100);
    }
    write(kVerifyR.field, chosen.r * 1e-3);
    write(kVerifyC.field, chosen.c * 1e9);
    write(kVerifyR2.field, scaled(chosen.r2, 1e-3));
    write(kVerifyC2.field, scaled(chosen.c2, 1e9));
    write(kVerifyLoad.field, scaled(chosen.rl, 1e-3));
}

} // namespace main_window
