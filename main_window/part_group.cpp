// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/part_group.h"

#include "app/control_table.h"
#include "app/number_text.h"
#include "app/text.h"
#include "main_window/command_steps.h"

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

PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice) {
    PartGroupTexts texts{{}, {}, {}, app::kPaletteBlack, {}, std::nullopt};
    for (std::size_t k = 0; k < std::size(kSeries); ++k)
        if (kSeries[k] == choice.series)
            texts.standardCaption =
                app::Text::tr("C serie %1:").arg(QLatin1String(kSeriesTexts[k]));
    if (!design)
        return texts;

    using app::FormatFinite, app::NumberPattern;
    const engine::PartToBuy part = engine::ChoosePart(*design, choice.series, choice.tolerances);
    texts.standardC = FormatFinite(part.standardNanofarads, NumberPattern::Scientific2);
    if (part.worstRipple)
        texts.worstRipple = FormatFinite(*part.worstRipple * 1000, NumberPattern::Scientific2);
    if (!texts.worstRipple.isEmpty() && !part.worstWithinRipple)
        texts.worstRippleColour = app::kWarningColour;
    texts.safeC = FormatFinite(part.safeNanofarads, NumberPattern::Scientific2);
    texts.safeNanofarads = part.safeNanofarads;
    return texts;
}

void UseInVerification(MainWindowView& view, double safeNanofarads) {
    WriteVerificationField(view, "Text10", safeNanofarads);
}

} // namespace main_window
