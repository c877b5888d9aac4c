// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/number_text.h"

#include <QLocale>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace app {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::size_t CountDigits(std::u16string_view text, std::size_t from) {
    std::size_t end = from;
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

std::optional<double> ReadFieldNumber(std::u16string_view text) {
    std::string number; // the leading part that reads as a number, in ASCII
    std::size_t at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        number += char(text[at++]);

    const std::size_t integerDigits = CountDigits(text, at);
    number.append(text.begin() + at, text.begin() + at + integerDigits);
    at += integerDigits;
    std::size_t fractionDigits = 0;
    if (at < text.size() && text[at] == u'.') {
        fractionDigits = CountDigits(text, at + 1);
        number += '.';
        number.append(text.begin() + at + 1, text.begin() + at + 1 + fractionDigits);
        at += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0)
        return 0.0;

    // The exponent belongs to the number only when at least one digit follows the mark.
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        std::size_t digitsAt = at + 1;
        if (digitsAt < text.size() && (text[digitsAt] == u'+' || text[digitsAt] == u'-'))
            ++digitsAt;
        const std::size_t exponentDigits = CountDigits(text, digitsAt);
        if (exponentDigits > 0)
            number.append(text.begin() + at, text.begin() + digitsAt + exponentDigits);
    }

    const double value = strtod_l(number.c_str(), nullptr, ClassicLocale());
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

std::string FormatWithPoint(double value, NumberPattern pattern) {
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
    std::string text(buffer, end);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

QString FormatNumber(double value, NumberPattern pattern) {
    QString text = QString::fromLatin1(FormatWithPoint(value, pattern));
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, QLocale().decimalPoint());
    return text;
}

QString FormatFinite(std::optional<double> value, NumberPattern pattern) {
    if (!value || !std::isfinite(*value))
        return QString();
    return FormatNumber(*value, pattern);
}

void FixDecimalPoint(std::u16string& text) {
    // The separator follows the sign, if any, and the one digit before it.
    const std::size_t digit = !text.empty() && text[0] == u'-' ? 1 : 0;
    if (text.size() > digit + 1 && text[digit + 1] != u'E')
        text[digit + 1] = u'.';
}

} // namespace app
