// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/field_rules.h"

namespace main_window {

namespace {

std::u16string InputErrorFor(const FieldRule& rule) {
    return std::u16string(u"Errore di inserimento dati per ") + rule.subject + u".";
}

} // namespace

std::u16string MissingFieldMessage(const FieldRule& rule) {
    return std::u16string(u"Hai dimenticato di scrivere ") + rule.subject;
}

std::u16string InvalidFieldMessage(const FieldRule& rule) {
    return InputErrorFor(rule) +
           u" Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche "
           u"in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3";
}

std::u16string UnrepresentableFieldMessage(const FieldRule& rule) {
    return InputErrorFor(rule) + u" Il numero è fuori dall'intervallo dei numeri rappresentabili.";
}

std::u16string CountOutOfRangeMessage(const FieldRule& rule) {
    return InputErrorFor(rule) + u" Il numero deve essere compreso tra -2147483648 e 2147483647.";
}

} // namespace main_window
