// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/filter_choice.h"

#include "app/bits_field.h"
#include "app/number_text.h"
#include "app/text.h"
#include "checking/check_field.h"
#include "engine/filter_circuit.h"
#include "engine/filter_design.h"

#include <QLocale>

#include <cmath>
#include <string_view>

namespace chooser_window {

using app::Text;

namespace {

// What the fields hold, as their messages name it; the sentences are the main window's.
constexpr char kTimeSubject[] = QT_TRANSLATE_NOOP("Velmaro", "l'assestamento massimo in ms");

// The message of the field check for a text, or nothing when it may be converted.
std::optional<QString> CharacterFault(const QString& text, const char* subject) {
    const auto fault = checking::CheckField(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
    if (!fault)
        return std::nullopt;
    if (*fault == checking::FieldFault::Empty)
        return Text::tr("Hai dimenticato di scrivere %1").arg(Text::tr(subject));
    return Text::tr("Errore di inserimento dati per %1. Puoi scrivere soltanto numeri razionali "
                    "con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
                    "1.23 , 1E-5 , 5E3")
        .arg(Text::tr(subject));
}

QString Unrepresentable(const char* subject) {
    return Text::tr("Errore di inserimento dati per %1. Il numero è fuori dall'intervallo dei "
                    "numeri rappresentabili.")
        .arg(Text::tr(subject));
}

QString Scientific(std::optional<double> value) {
    return app::FormatFinite(value, app::NumberPattern::Scientific2);
}

std::optional<double> Scaled(std::optional<double> value, double scale) {
    return value ? std::optional(*value * scale) : std::nullopt;
}

const char* SeriesName(engine::Series series) {
    switch (series) {
    case engine::Series::E6:
        return "E6";
    case engine::Series::E12:
        return "E12";
    case engine::Series::E24:
        return "E24";
    case engine::Series::E96:
        return "E96";
    }
    return "";
}

// A value as typed: the locale's decimal separator, no group separator, no more digits than it
// needs.
QString Plain(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 6);
}

} // namespace

std::optional<double> DutyCycleFor(const ChooserDesign& design, std::optional<double> k) {
    if (!design.vom)
        return std::nullopt;
    const std::optional<double> g =
        engine::DcGain(engine::CircuitOf({design.r, k, design.rl}, 1.0));
    if (!g)
        return std::nullopt;
    const double d = *design.vom / (design.e * *g);
    if (std::isnan(d))
        return std::nullopt;
    return d;
}

engine::ChooserInput InputOf(const ChooserDesign& design, int bits) {
    return {bits, design.e, design.f, design.r, design.rl, design.series, design.tolerances};
}

std::variant<ChooserLimits, QString> ReadLimits(const QString& bitsText, const QString& timeText) {
    const bool timed = !timeText.isEmpty();
    if (const auto fault = CharacterFault(bitsText, app::kBitsSubject))
        return *fault;
    if (timed)
        if (const auto fault = CharacterFault(timeText, kTimeSubject))
            return *fault;

    ChooserLimits limits;
    const std::optional<int> bits = app::ReadBits(bitsText);
    if (!bits)
        return app::BitsRangeMessage();
    limits.bits = *bits;
    if (!timed)
        return limits;
    const std::optional<double> milliseconds = app::ReadFieldNumber(timeText);
    if (!milliseconds)
        return Unrepresentable(kTimeSubject);
    if (!(*milliseconds > 0))
        return Text::tr("L'assestamento massimo non può essere zero o negativo!");
    limits.maxSettlingSeconds = *milliseconds * 1e-3;
    return limits;
}

QString FilterName(std::optional<double> k) {
    if (!k)
        return Text::tr("1 (RC)");
    return Text::tr("2 (RC-RC), k = %1").arg(Plain(*k));
}

QStringList ChooserHeadings() {
    return {Text::tr("Filtro"),
            Text::tr("R2 [kohm]"),
            Text::tr("C2 [nF]"),
            Text::tr("C [nF]"),
            Text::tr("Ripple peggiore [mV]"),
            Text::tr("Assestamento ±½ LSB [ms]"),
            Text::tr("Esito")};
}

FilterChoice ChooseFilter(const ChooserDesign& design, const ChooserLimits& limits) {
    FilterChoice choice{design, limits, engine::ChooseFilters(InputOf(design, limits.bits)), {}, {}};
    for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
        const engine::FilterCandidate& candidate = choice.candidates[i];
        ChooserRow row;
        const auto cell = [&row](ChooserColumn column) -> QString& {
            return row.cells[int(column)];
        };
        cell(ChooserColumn::Filter) = FilterName(candidate.k);
        if (candidate.k) {
            cell(ChooserColumn::R2) = Scientific(candidate.r2 * 1e-3);
            cell(ChooserColumn::C2) = Scientific(Scaled(candidate.c2, 1e9));
        }
        cell(ChooserColumn::C) = Scientific(Scaled(candidate.c, 1e9));
        cell(ChooserColumn::WorstRipple) = Scientific(Scaled(candidate.worstRipple, 1e3));
        cell(ChooserColumn::Settling) = Scientific(Scaled(candidate.settlingSeconds, 1e3));
        const std::optional<double> d = DutyCycleFor(design, candidate.k);
        row.unreachable = d && !(*d < 1);
        if (row.unreachable) {
            cell(ChooserColumn::Verdict) = Text::tr("Vom non raggiungibile");
        } else if (const std::optional<double> settling = candidate.settlingSeconds;
                   settling && candidate.c) {
            row.tooSlow = limits.maxSettlingSeconds && *settling > *limits.maxSettlingSeconds;
            cell(ChooserColumn::Verdict) = row.tooSlow ? Text::tr("troppo lento") : Text::tr("ok");
            const auto& best = choice.best;
            if (!row.tooSlow &&
                (!best || *settling < *choice.candidates[*best].settlingSeconds))
                choice.best = i;
        }
        choice.rows.push_back(row);
    }
    return choice;
}

std::optional<ChosenFilter> ChosenAt(const FilterChoice& choice, std::size_t row) {
    if (row >= choice.candidates.size())
        return std::nullopt;
    const engine::FilterCandidate& candidate = choice.candidates[row];
    if (!candidate.c || (candidate.k && !candidate.c2) || choice.rows[row].unreachable)
        return std::nullopt;
    const ChooserDesign& design = choice.design;
    ChosenFilter chosen{design.r, *candidate.c, std::nullopt, std::nullopt, design.rl};
    if (candidate.k) {
        chosen.r2 = candidate.r2;
        chosen.c2 = candidate.c2;
    }
    if (const std::optional<double> d = DutyCycleFor(design, candidate.k)) {
        // A Vom so small against E·g that D is no longer a number the run takes.
        if (!(*d > 0))
            return std::nullopt;
        chosen.pulse = ChosenFilter::Pulse{design.e, design.f, *d};
    }
    return chosen;
}

QString DesignText(const ChooserDesign& design) {
    const QString load = design.rl ? Text::tr("RL = %1 kohm").arg(Plain(*design.rl * 1e-3))
                                   : Text::tr("senza carico");
    const QString input = design.vom ? Text::tr("E = %1 V, Vom = %2 V")
                                           .arg(Plain(design.e), Plain(*design.vom))
                                     : Text::tr("E = %1 V").arg(Plain(design.e));
    return Text::tr("Progetto: %1, f = %2 kHz, R = %3 kohm, %4; serie %5, tolleranza C "
                    "±%6 %, tolleranza R ±%7 %")
        .arg(input, Plain(design.f * 1e-3), Plain(design.r * 1e-3), load,
             QLatin1String(SeriesName(design.series)), Plain(design.tolerances.capacitor * 100),
             Plain(design.tolerances.resistor * 100));
}

QString StatusText(const FilterChoice& choice) {
    if (choice.best)
        return {};
    bool found = false;
    for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
        const engine::FilterCandidate& candidate = choice.candidates[i];
        if (!candidate.settlingSeconds || !candidate.c)
            continue;
        if (!choice.rows[i].unreachable)
            return Text::tr("Nessun filtro si assesta entro l'assestamento massimo.");
        found = true;
    }
    if (found)
        return Text::tr("Con il carico RL nessun filtro raggiunge Vom.");
    return Text::tr("Con questi dati non si trova nessun filtro.");
}

} // namespace chooser_window
