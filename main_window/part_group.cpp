// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/part_group.h"

#include "app/design_file.h"
#include "app/number_text.h"

namespace main_window {

namespace {

// The choices, each list in the order of its texts in the design file's (app/design_file.h),
// which keeps a choice by its text: the combos show those texts, and start at the same ones.
constexpr engine::Series kSeries[] = {engine::Series::E6, engine::Series::E12, engine::Series::E24,
                                      engine::Series::E96};
constexpr double kCapacitorTolerances[] = {0.05, 0.10, 0.20};
constexpr double kResistorTolerances[] = {0.01, 0.05};
static_assert(std::size(kSeries) == std::size(app::kSeriesTexts) &&
              std::size(kCapacitorTolerances) == std::size(app::kCToleranceTexts) &&
              std::size(kResistorTolerances) == std::size(app::kRToleranceTexts));

constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Where a list starts: the position of its rule's initial text.
constexpr int FirstOf(const app::PartChoiceRule& rule) {
    for (std::size_t k = 0; k < rule.texts.size(); ++k)
        if (SameText(rule.texts[k], rule.initial))
            return int(k);
    return 0;
}
constexpr int kFirstSeries = FirstOf(app::kPartChoices[0]);
constexpr int kFirstCapacitorTolerance = FirstOf(app::kPartChoices[1]);
constexpr int kFirstResistorTolerance = FirstOf(app::kPartChoices[2]);

QStringList Texts(const app::PartChoiceRule& rule) {
    QStringList texts;
    for (const char* text : rule.texts)
        texts << QString::fromUtf8(text);
    return texts;
}

template <class Value, std::size_t size>
Value At(const Value (&values)[size], int position, int first) {
    return values[position >= 0 && std::size_t(position) < size ? position : first];
}

// The warning colour, as the graph window's steady-state line uses it.
constexpr app::Rgb kWarningColour = app::kRed;

} // namespace

const std::array<PartCombo, 3>& PartCombos() {
    static const std::array<PartCombo, 3> combos{{
        {"SeriesCombo", "SeriesCaption", Texts(app::kPartChoices[0]), kFirstSeries},
        {"CToleranceCombo", "CToleranceCaption", Texts(app::kPartChoices[1]),
         kFirstCapacitorTolerance},
        {"RToleranceCombo", "RToleranceCaption", Texts(app::kPartChoices[2]),
         kFirstResistorTolerance},
    }};
    return combos;
}

PartChoice PartChoiceAt(int series, int capacitorTolerance, int resistorTolerance) {
    return {At(kSeries, series, kFirstSeries),
            {At(kCapacitorTolerances, capacitorTolerance, kFirstCapacitorTolerance),
             At(kResistorTolerances, resistorTolerance, kFirstResistorTolerance)}};
}

PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice) {
    PartGroupTexts texts{{}, {}, {}, app::kPaletteBlack, {}, std::nullopt};
    for (std::size_t k = 0; k < std::size(kSeries); ++k)
        if (kSeries[k] == choice.series)
            texts.standardCaption =
                QStringLiteral("C serie %1:").arg(QLatin1String(app::kSeriesTexts[k]));
    if (!design)
        return texts;

    using app::FormatFinite, app::NumberPattern;
    const engine::PartToBuy part = engine::ChoosePart(*design, choice.series, choice.tolerances);
    texts.standardC = FormatFinite(part.standardNanofarads, NumberPattern::Scientific2);
    if (part.worstRipple)
        texts.worstRipple = FormatFinite(*part.worstRipple * 1000, NumberPattern::Scientific2);
    if (!texts.worstRipple.isEmpty() && !part.worstWithinRipple)
        texts.worstRippleColour = kWarningColour;
    texts.safeC = FormatFinite(part.safeNanofarads, NumberPattern::Scientific2);
    texts.safeNanofarads = part.safeNanofarads;
    return texts;
}

void UseInVerification(MainWindowView& view, double safeNanofarads) {
    view.SetFieldText("Text10", QString::fromLatin1(app::FormatWithPoint(
                                    safeNanofarads, app::NumberPattern::Scientific3)));
    view.SetFieldColour("Text10", app::kPaletteBlue);
}

} // namespace main_window
