// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/part_group.h"

#include "app/control_table.h"
#include "app/number_text.h"
#include "app/text.h"
#include "engine/filter_design.h"
#include "main_window/command_steps.h"
#include "main_window/field_rules.h"

#include <cmath>

namespace main_window {

namespace {

// What each list's texts stand for, in the same order.
constexpr engine::Series kSeries[] = {engine::Series::E6, engine::Series::E12, engine::Series::E24,
                                      engine::Series::E96};
constexpr double kCapacitorTolerances[] = {0.05, 0.10, 0.20};
constexpr double kResistorTolerances[] = {0.01, 0.05};
static_assert(std::size(kSeries) == std::size(kSeriesTexts) &&
              std::size(kCapacitorTolerances) == std::size(kCToleranceTexts) &&
              std::size(kResistorTolerances) == std::size(kRToleranceTexts));

template <class Value, std::size_t size>
Value At(const Value (&values)[size], int position, int first) {
    return values[position >= 0 && std::size_t(position) < size ? position : first];
}

} // namespace

PartChoice PartChoiceAt(int series, int capacitorTolerance, int resistorTolerance) {
    return {At(kSeries, series, kPartCombos[0].first),
            {At(kCapacitorTolerances, capacitorTolerance, kPartCombos[1].first),
             At(kResistorTolerances, resistorTolerance, kPartCombos[2].first)}};
}

namespace {

// One RC without a load: its capacitor's closed forms.
void ShowPlainPart(PartGroupTexts& texts, const engine::PartDesign& design, PartChoice choice) {
    using app::FormatFinite, app::NumberPattern;
    const engine::PartToBuy part = engine::ChoosePart(design, choice.series, choice.tolerances);
    texts.standardC = FormatFinite(part.standardNanofarads, NumberPattern::Scientific2);
    if (part.worstRipple)
        texts.worstRipple = FormatFinite(*part.worstRipple * 1000, NumberPattern::Scientific2);
    if (!texts.worstRipple.isEmpty() && !part.worstWithinRipple)
        texts.worstRippleColour = app::kWarningColour;
    texts.safeC = FormatFinite(part.safeNanofarads, NumberPattern::Scientific2);
    if (part.safeNanofarads)
        texts.safe = PartPair{*part.safeNanofarads, std::nullopt};
}

// A pair in nF, or none when either capacitance has no finite value in nF: a design near the
// largest numbers may have parts the fields cannot hold.
std::optional<PartPair> InNanofarads(const engine::CapacitorPair& pair) {
    const double c = pair.c * 1e9;
    const std::optional<double> c2 = pair.c2 ? std::optional(*pair.c2 * 1e9) : std::nullopt;
    if (!std::isfinite(c) || (c2 && !std::isfinite(*c2)))
        return std::nullopt;
    return PartPair{c, c2};
}

// Any other circuit: the standard pair at its worst corner, and the safe pair.
void ShowFilterPart(PartGroupTexts& texts, const engine::PartDesign& design, PartChoice choice) {
    using app::FormatFinite, app::NumberPattern;
    if (!(design.exactNanofarads > 0 && std::isfinite(design.exactNanofarads)))
        return;
    const engine::FilterShape shape{design.r, design.k, design.rl};
    const auto standard = engine::StandardPairOf(shape, design.e, design.d, design.f,
                                                 design.deltaVo, choice.series, choice.tolerances);
    if (const auto parts = standard ? InNanofarads(*standard) : std::nullopt) {
        texts.standardC = FormatFinite(parts->nanofarads, NumberPattern::Scientific2);
        texts.standardC2 = FormatFinite(parts->secondNanofarads, NumberPattern::Scientific2);
        texts.worstRipple = FormatFinite(standard->worstRipple * 1000, NumberPattern::Scientific2);
        if (!texts.worstRipple.isEmpty() &&
            standard->worstRipple > design.deltaVo * (1 + engine::kRippleSlack))
            texts.worstRippleColour = app::kWarningColour;
    }
    const auto safe = engine::SafePairOf(shape, design.e, design.d, design.f, design.deltaVo,
                                         choice.series, choice.tolerances);
    if (const auto parts = safe ? InNanofarads(*safe) : std::nullopt) {
        texts.safeC = FormatFinite(parts->nanofarads, NumberPattern::Scientific2);
        texts.safeC2 = FormatFinite(parts->secondNanofarads, NumberPattern::Scientific2);
        texts.safe = parts;
    }
}

} // namespace

PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice) {
    PartGroupTexts texts{{}, {}, {}, {}, {}, app::kPaletteBlack, {}, {}, std::nullopt};
    for (std::size_t k = 0; k < std::size(kSeries); ++k)
        if (kSeries[k] == choice.series) {
            texts.standardCaption =
                app::Text::tr("C serie %1:").arg(QLatin1String(kSeriesTexts[k]));
            texts.standardC2Caption =
                app::Text::tr("C2 serie %1:").arg(QLatin1String(kSeriesTexts[k]));
        }
    if (!design)
        return texts;
    if (!design->k && !design->rl)
        ShowPlainPart(texts, *design, choice);
    else
        ShowFilterPart(texts, *design, choice);
    return texts;
}

void UseInVerification(MainWindowView& view, const PartPair& safe) {
    WriteVerificationField(view, kVerifyC.field, safe.nanofarads);
    if (safe.secondNanofarads)
        WriteVerificationField(view, kVerifyC2.field, *safe.secondNanofarads);
}

} // namespace main_window
