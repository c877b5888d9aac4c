// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bits_field.h"

#include "app/number_text.h"
#include "app/text.h"
#include "engine/filter_figures.h"

#include <cmath>

namespace app {

std::optional<int> ReadBits(QStringView text) {
    const std::optional<double> bits = ReadFieldNumber(text);
    if (!bits || !(*bits >= engine::kFewestBits && *bits <= engine::kMostBits) ||
        *bits != std::floor(*bits))
        return std::nullopt;
    return int(*bits);
}

QString BitsRangeMessage() {
    return Text::tr("La risoluzione del DAC deve essere un numero intero di bit da %1 a %2!")
        .arg(engine::kFewestBits)
        .arg(engine::kMostBits);
}

} // namespace app
