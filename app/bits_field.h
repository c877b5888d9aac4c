// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The converter's resolution in bits, as every window that asks for it reads it: the name its
// messages give it, the number it takes and the one message for any other number.

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace app {

// The field as the messages name it ("Hai dimenticato di scrivere %1", "… per %1. Puoi …").
inline constexpr char kBitsSubject[] =
    QT_TRANSLATE_NOOP("Velmaro", "la risoluzione del DAC in bit");

// The whole number of bits from 1 to 24 the text stands for (once the field check has passed
// it); empty for any other number, also one beyond the range of a 64-bit real ("1e400").
std::optional<int> ReadBits(QStringView text);

// The message for a text ReadBits refuses.
QString BitsRangeMessage();

} // namespace app
