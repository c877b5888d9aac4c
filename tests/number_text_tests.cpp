// SPDX-License-Identifier: GPL-3.0-or-later
// Reading field texts, making counts, and the three number patterns.

#include "app/number_text.h"
#include "engine/period.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QTest>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

using namespace app;

Q_DECLARE_METATYPE(std::optional<double>)

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheLongestLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        const auto row = [](const char* text, std::optional<double> value) {
            QTest::newRow(text) << QString::fromLatin1(text) << value;
        };
        row("1.5", 1.5);
        row("1E-5", 1e-5);
        row("5E3", 5000.0);
        row("2e+3", 2000.0);
        row(".5", 0.5);
        row("5.", 5.0);
        row("+2", 2.0);
        row("-3", -3.0);
        row("1.2.3", 1.2);
        row("1e2e3", 100.0);
        row("5-3", 5.0);
        row("1e", 1.0); // a mark without digits is not an exponent
        row("1e+", 1.0);
        row("1E-", 1.0);
        row("--", 0.0);
        row("+-", 0.0);
        row("e", 0.0);
        row(".", 0.0);
        row("-", 0.0);
        row("-.e5", 0.0);
        row("1.000E+01", 10.0);
        row("1.7976931348623157e308", DBL_MAX);
        row("1e-310", 1e-310); // subnormal, kept
        row("1e-400", 0.0);    // below every subnormal: reads as 0
        row("1e400", std::nullopt);
        row("-1e400", std::nullopt);
        row("1.8e308", std::nullopt);
        row("1e99999999999999999999", std::nullopt);
        row("0e99999999999999999999", 0.0);
    }
    void readsTheLongestLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        const std::optional<double> read = ReadFieldNumber(text);
        QCOMPARE(read.has_value(), expected.has_value());
        if (read)
            QCOMPARE(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(*expected));
    }

    void readsNegativeZeroWithItsSign() {
        const auto read = ReadFieldNumber(u"-0");
        QVERIFY(read && *read == 0 && std::signbit(*read));
    }

    void readsTextsOfAnyLength() {
        const QString ones(40000, u'1');
        QVERIFY(!ReadFieldNumber(ones).has_value()); // about 1.1e39999

        QString five(39999, u'0');
        five += u'5';
        QCOMPARE(ReadFieldNumber(five), std::optional<double>(5.0));

        const QString tiny = "0." + QString(400, u'0') + "1";
        QCOMPARE(ReadFieldNumber(tiny), std::optional<double>(0.0));
    }

    void readingIgnoresTheCLibraryLocale() {
        // The toolkit switches the C library to the user's locale; a comma locale must not
        // change what "1.5" reads as. The test command installs such a locale.
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8") &&
            !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            QFAIL("no locale with a decimal comma on this machine: install it_IT.UTF-8");
        const auto read = ReadFieldNumber(u"1.5");
        const QString formatted = FormatWithPoint(1.5, NumberPattern::Fixed2);
        std::setlocale(LC_NUMERIC, previous.c_str());
        QCOMPARE(read, std::optional<double>(1.5));
        QCOMPARE(formatted, QString("1.50"));
    }

    void countsRoundHalvesToEven() {
        QCOMPARE(engine::CountFromReal(2.5), std::optional<std::int32_t>(2));
        QCOMPARE(engine::CountFromReal(3.5), std::optional<std::int32_t>(4));
        QCOMPARE(engine::CountFromReal(1000.5), std::optional<std::int32_t>(1000));
        QCOMPARE(engine::CountFromReal(1001.5), std::optional<std::int32_t>(1002));
        QCOMPARE(engine::CountFromReal(0.4), std::optional<std::int32_t>(0));
        QCOMPARE(engine::CountFromReal(-0.5), std::optional<std::int32_t>(0));
        QCOMPARE(engine::CountFromReal(-2.5), std::optional<std::int32_t>(-2));
        QCOMPARE(engine::CountFromReal(2147483647.4), std::optional<std::int32_t>(2147483647));
        QCOMPARE(engine::CountFromReal(-2147483648.5),
                 std::optional<std::int32_t>(-2147483647 - 1));
    }

    void countsOutsideThirtyTwoBitsAreRefused() {
        QVERIFY(!engine::CountFromReal(2147483647.5)); // rounds to the even 2147483648
        QVERIFY(!engine::CountFromReal(-2147483649.0));
        QVERIFY(!engine::CountFromReal(1e300));
        QVERIFY(!engine::CountFromReal(INFINITY));
        QVERIFY(!engine::CountFromReal(NAN));
    }

    void patternsLookAsWritten() {
        QCOMPARE(FormatWithPoint(250, NumberPattern::Scientific2), QString("2.50E+02"));
        QCOMPARE(FormatWithPoint(10, NumberPattern::Scientific3), QString("1.000E+01"));
        QCOMPARE(FormatWithPoint(0, NumberPattern::Scientific2), QString("0.00E+00"));
        // A zero has no sign, whichever zero it is.
        QCOMPARE(FormatWithPoint(-0.0, NumberPattern::Scientific2), QString("0.00E+00"));
        QCOMPARE(FormatWithPoint(-0.0, NumberPattern::Scientific3), QString("0.000E+00"));
        QCOMPARE(FormatWithPoint(-0.0, NumberPattern::Fixed2), QString("0.00"));
        QCOMPARE(FormatWithPoint(-0.001, NumberPattern::Scientific2), QString("-1.00E-03"));
        QCOMPARE(FormatWithPoint(1e100, NumberPattern::Scientific3), QString("1.000E+100"));
        QCOMPARE(FormatWithPoint(5000, NumberPattern::Fixed2), QString("5000.00"));
        QCOMPARE(FormatWithPoint(1e300, NumberPattern::Fixed2).size(), qsizetype(301 + 3));
    }

    // The patterns must round exactly as printf does, ties included (0.125 gives "0.12").
    void patternsRoundAsPrintf() {
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        std::setlocale(LC_NUMERIC, "C");
        std::mt19937_64 random(20261207);
        std::uniform_real_distribution<double> mantissa(1.0, 10.0);
        std::uniform_int_distribution<int> exponent(-320, 307);
        QStringList mismatches;
        const auto check = [&](double value) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.2E", value);
            if (FormatWithPoint(value, NumberPattern::Scientific2) != expected)
                mismatches << expected;
            std::snprintf(expected, sizeof expected, "%.3E", value);
            if (FormatWithPoint(value, NumberPattern::Scientific3) != expected)
                mismatches << expected;
            std::snprintf(expected, sizeof expected, "%.2f", value);
            if (FormatWithPoint(value, NumberPattern::Fixed2) != expected)
                mismatches << expected;
        };
        for (double tie : {0.125, 0.375, 2.675, 1.005, 1.0005, 2.5e-3, 9.995, 9.9995, 99.995})
            check(tie);
        for (int n = 0; n < 20000; ++n)
            check(mantissa(random) * std::pow(10.0, exponent(random)));
        for (int n = 0; n < 5000; ++n) // short decimals, where ties to even matter
            check(double(random() % 100000) / 1000.0);
        std::setlocale(LC_NUMERIC, previous.c_str());
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.mid(0, 5).join(", ")));
    }

    void formattingShowsTheLocaleSeparator() {
        {
            LocaleScope english(EnglishLocale());
            QCOMPARE(FormatNumber(250, NumberPattern::Scientific2), QString("2.50E+02"));
            QCOMPARE(FormatNumber(5000, NumberPattern::Fixed2), QString("5000.00"));
        }
        LocaleScope italian(ItalianLocale());
        QCOMPARE(FormatNumber(250, NumberPattern::Scientific2), QString("2,50E+02"));
        QCOMPARE(FormatNumber(-0.001, NumberPattern::Scientific2), QString("-1,00E-03"));
        QCOMPARE(FormatNumber(5000, NumberPattern::Fixed2), QString("5000,00"));
    }
};

VELMARO_TEST(NumberTextTest);
#include "number_text_tests.moc"
