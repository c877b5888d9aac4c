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

// A whole number of periods as it is, or from 10^9 on in the pattern "0.00E+00"; empty when
// missing or not finite.
QString WholeOrScientific(std::optional<double> periods);

// A voltage as one reads it: three significant digits (whole volts from 1000 V on) in V, in mV
// below 1 V, in µV below 1 mV, with a space before the unit.
QString ReadableVoltage(double volts);

// The line for a settled ripple (V, peak to peak) wider than the settling band ± band (V), with
// both figures; empty when the ripple fits within the band or is not known.
QString RippleWiderThanBandLine(std::optional<double> ripple, double band);

} // namespace app
