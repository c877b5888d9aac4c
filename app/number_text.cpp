// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/number_text.h"

#include "app/text.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <utility>

namespace app {

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

qsizetype CountDigits(QStringView text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return end - from;
}

// The "C" locale as an object, so that reading never follows the user's locale.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return classic;
}

} // namespace

std::optional<double> ReadFieldNumber(QStringView text) {
    // The number is the longest leading part of the text that reads as one: all of it ASCII.
    qsizetype at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        ++at;
    const qsizetype integerDigits = CountDigits(text, at);
    at += integerDigits;
    qsizetype fractionDigits = 0;
    if (at < text.size() && text[at] == u'.') {
        fractionDigits = CountDigits(text, at + 1);
        at += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0)
        return 0.0;

    // The exponent belongs to the number only when at least one digit follows the mark.
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        qsizetype digitsAt = at + 1;
        if (digitsAt < text.size() && (text[digitsAt] == u'+' || text[digitsAt] == u'-'))
            ++digitsAt;
        if (const qsizetype exponentDigits = CountDigits(text, digitsAt); exponentDigits > 0)
            at = digitsAt + exponentDigits;
    }

    const QByteArray number = text.first(at).toLatin1();
    const double value = strtod_l(number.constData(), nullptr, ClassicLocale());
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

QString FormatWithPoint(double value, NumberPattern pattern) {
    // A zero is shown as zero: -0.0 (a zero time or value times a negative factor) would
    // otherwise come out as "-0.00".
    if (value == 0)
        value = 0;
    char buffer[400]; // the widest: 309 integer digits, the point, two decimals and a sign
    const auto [end, error] =
        pattern == NumberPattern::Fixed2
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            pattern == NumberPattern::Scientific2 ? 2 : 3);
    if (error != std::errc())
        return {};
    for (char* c = buffer; c != end; ++c)
        if (*c == 'e')
            *c = 'E';
    return QString::fromLatin1(buffer, end - buffer);
}

QString FormatNumber(double value, NumberPattern pattern) {
    QString text = FormatWithPoint(value, pattern);
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, QLocale().decimalPoint());
    return text;
}

QString FormatReading(double value, int decimals) {
    constexpr qsizetype kLongest = 12;
    if (value == 0)
        value = 0;
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc() || end - buffer > kLongest)
        return FormatNumber(value, NumberPattern::Scientific2);
    QString text = QString::fromLatin1(buffer, end - buffer);
    if (const qsizetype point = text.indexOf(u'.'); point >= 0)
        text.replace(point, 1, QLocale().decimalPoint());
    return text;
}

QString FormatFinite(std::optional<double> value, NumberPattern pattern) {
    if (!value || !std::isfinite(*value))
        return QString();
    return FormatNumber(*value, pattern);
}

QString WholeOrScientific(std::optional<double> periods) {
    if (periods && *periods >= 0 && *periods < 1e9)
        return QString::number(qint64(*periods));
    return FormatFinite(periods, NumberPattern::Scientific2);
}

QString ReadableVoltage(double volts) {
    const auto [scale, unit] = volts >= 1      ? std::pair(1.0, QStringLiteral("V"))
                               : volts >= 1e-3 ? std::pair(1e3, QStringLiteral("mV"))
                                               : std::pair(1e6, QStringLiteral("µV"));
    const double value = volts * scale;
    const int decimals = value > 0 ? std::clamp(2 - int(std::floor(std::log10(value))), 0, 6) : 0;
    return QStringLiteral("%1 %2").arg(FormatReading(value, decimals), unit);
}

QString RippleWiderThanBandLine(std::optional<double> ripple, double band) {
    if (!ripple || !(*ripple > 2 * band))
        return {};
    return Text::tr("L'ondulazione a regime, %1 picco-picco, è più larga della banda di ±%2: "
                    "l'uscita esce dalla banda a ogni periodo, solo la sua media vi resta.")
        .arg(ReadableVoltage(*ripple), ReadableVoltage(band));
}

} // namespace app
