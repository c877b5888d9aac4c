// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/part_group.h"

#include "app/number_text.h"

namespace main_window {

namespace {

template <class Value> struct Option {
    const char* text;
    Value value;
};

constexpr Option<engine::Series> kSeries[] = {{"E6", engine::Series::E6},
                                              {"E12", engine::Series::E12},
                                              {"E24", engine::Series::E24},
                                              {"E96", engine::Series::E96}};
constexpr Option<double> kCapacitorTolerances[] = {
    {"±5 %", 0.05}, {"±10 %", 0.10}, {"±20 %", 0.20}};
constexpr Option<double> kResistorTolerances[] = {{"±1 %", 0.01}, {"±5 %", 0.05}};
constexpr int kFirstSeries = 1, kFirstCapacitorTolerance = 1, kFirstResistorTolerance = 0;

template <class Value, std::size_t size> QStringList Texts(const Option<Value> (&options)[size]) {
    QStringList texts;
    for (const Option<Value>& option : options)
        texts << QString::fromUtf8(option.text);
    return texts;
}

template <class Value, std::size_t size>
const Option<Value>& At(const Option<Value> (&options)[size], int position, int first) {
    return options[position >= 0 && std::size_t(position) < size ? position : first];
}

// The warning colour, as the graph window's steady-state line uses it.
constexpr app::Rgb kWarningColour = app::kRed;

} // namespace

const std::array<PartCombo, 3>& PartCombos() {
    static const std::array<PartCombo, 3> combos{{
        {"SeriesCombo", "SeriesCaption", Texts(kSeries), kFirstSeries},
        {"CToleranceCombo", "CToleranceCaption", Texts(kCapacitorTolerances),
         kFirstCapacitorTolerance},
        {"RToleranceCombo", "RToleranceCaption", Texts(kResistorTolerances),
         kFirstResistorTolerance},
    }};
    return combos;
}

PartChoice PartChoiceAt(int series, int capacitorTolerance, int resistorTolerance) {
    return {At(kSeries, series, kFirstSeries).value,
            {At(kCapacitorTolerances, capacitorTolerance, kFirstCapacitorTolerance).value,
             At(kResistorTolerances, resistorTolerance, kFirstResistorTolerance).value}};
}

PartGroupTexts PartTextsFor(const std::optional<engine::PartDesign>& design, PartChoice choice) {
    PartGroupTexts texts{{}, {}, {}, app::kPaletteBlack, {}, std::nullopt};
    for (const Option<engine::Series>& option : kSeries)
        if (option.value == choice.series)
            texts.standardCaption = QStringLiteral("C serie %1:").arg(QLatin1String(option.text));
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
