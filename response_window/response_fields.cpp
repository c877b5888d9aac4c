// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/response_fields.h"

#include "app/bits_field.h"
#include "app/number_text.h"
#include "app/text.h"
#include "checking/check_field.h"

#include <cmath>

namespace response_window {

namespace {

using app::Text;

// What each field holds, as its messages name it.
constexpr char kFromDutySubject[] =
    QT_TRANSLATE_NOOP("Velmaro", "il valore del Duty Cycle di partenza in %");

QString FaultMessage(checking::FieldFault fault, const char* subject) {
    if (fault == checking::FieldFault::Empty)
        return Text::tr("Hai dimenticato di scrivere %1").arg(Text::tr(subject));
    return Text::tr("Errore di inserimento dati per %1. Puoi scrivere soltanto numeri razionali "
                    "con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
                    "1.23 , 1E-5 , 5E3")
        .arg(Text::tr(subject));
}

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

} // namespace

std::variant<StepChoice, QString> ReadStepFields(const QString& fromDuty, const QString& bits) {
    if (const auto fault = checking::CheckField(View(fromDuty)))
        return FaultMessage(*fault, kFromDutySubject);
    const bool withBits = !bits.isEmpty();
    if (withBits)
        if (const auto fault = checking::CheckField(View(bits)))
            return FaultMessage(*fault, app::kBitsSubject);

    StepChoice choice;
    const std::optional<double> percent = app::ReadFieldNumber(fromDuty);
    if (!percent)
        return Text::tr("Errore di inserimento dati per %1. Il numero è fuori dall'intervallo dei "
                        "numeri rappresentabili.")
            .arg(Text::tr(kFromDutySubject));
    choice.fromDuty = *percent / 100;
    // 100 % holds the output at E·g before the step: a full-scale step down to D.
    if (!(choice.fromDuty >= 0 && choice.fromDuty <= 1))
        return Text::tr("Il Duty Cycle di partenza non può essere negativo o maggiore del 100%!");
    if (withBits) {
        const std::optional<int> count = app::ReadBits(bits);
        if (!count)
            return app::BitsRangeMessage();
        choice.bits = *count;
    }
    return choice;
}

} // namespace response_window
