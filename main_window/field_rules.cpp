// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/field_rules.h"

#include "app/text.h"

namespace main_window {

using app::Text;

namespace {

QString Subject(const FieldRule& rule) { return Text::tr(rule.subject); }

} // namespace

QString MissingFieldMessage(const FieldRule& rule) {
    return Text::tr("Hai dimenticato di scrivere %1").arg(Subject(rule));
}

QString InvalidFieldMessage(const FieldRule& rule) {
    return Text::tr("Errore di inserimento dati per %1. Puoi scrivere soltanto numeri razionali "
                    "con il punto come separatore decimale, anche in forma esponenziale. Ad es: "
                    "1.23 , 1E-5 , 5E3")
        .arg(Subject(rule));
}

QString UnrepresentableFieldMessage(const FieldRule& rule) {
    return Text::tr("Errore di inserimento dati per %1. Il numero è fuori dall'intervallo dei "
                    "numeri rappresentabili.")
        .arg(Subject(rule));
}

QString CountOutOfRangeMessage(const FieldRule& rule) {
    return Text::tr("Errore di inserimento dati per %1. Il numero deve essere compreso tra "
                    "-2147483648 e 2147483647.")
        .arg(Subject(rule));
}

} // namespace main_window
