// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers as the fields and labels hold them: reading a field, making a count, and the
// three display patterns. Reading is the same under every locale ("." only); formatting
// rounds as printf does and then shows the decimal separator of the user's locale.

#include <QString>

#include <QStringView>

#include <optional>

namespace app {

// The number that a field's text stands for: the longest leading part of the text that reads
// as a decimal number (optional sign, digits with an optional "." and an optional exponent
// after "e" or "E"); 0 when the text does not begin with one. Empty when the number lies beyond
// the range of a 64-bit real ("1e400"); a number too small to represent reads as 0.
std::optional<double> ReadFieldNumber(QStringView text);

enum class NumberPattern {
    Scientific2, // "0.00E+00"
    Scientific3, // "0.000E+00"
    Fixed2,      // "0.00"
};

// The pattern with "." as decimal separator, rounded as printf rounds. Zero, of either sign, is
// written without a sign. This is how a command writes a number into a verification field, so
// that the field reading takes it back under any locale.
QString FormatWithPoint(double value, NumberPattern pattern);

// The pattern with the decimal separator of the user's locale (QLocale()).
QString FormatNumber(double value, NumberPattern pattern);

// A reading that stays readable at any scale: the value with the decimals given ("0.00" for two),
// or in "0.00E+00" when that text would pass 12 characters; the locale's decimal separator.
QString FormatReading(double value, int decimals);

// The same for a value that may be missing or not finite: then the text is empty.
QString FormatFinite(std::optional<double> value, NumberPattern pattern);

} // namespace app
