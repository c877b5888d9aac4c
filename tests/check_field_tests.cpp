// SPDX-License-Identifier: GPL-3.0-or-later
// The field check as the user meets it: a text typed into E of the design data, then "Calcola C".
// An empty text or one holding any character outside the number alphabet ends the command with
// the field's own message and changes nothing; a text of the alphabet, in whatever order, passes
// and is read (its range message, or the design). Texts of any length are checked in full.

#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QTest>

namespace {

const QString kMissing = "Hai dimenticato di scrivere la tensione di ingresso E";
const QString kInvalid = "Errore di inserimento dati per la tensione di ingresso E. Puoi scrivere "
                         "soltanto numeri razionali con il punto come separatore decimale, anche "
                         "in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3";
const QString kZeroOrNegative = "La tensione in ingresso non può essere zero o negativa!";
const QString kAboveE = "La tensione in uscita non può essere zero o negativa o maggiore di E!";

} // namespace

class CheckFieldTest : public QObject {
    Q_OBJECT
private slots:
    void theFieldCheckComesBeforeTheReading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: the design is made
        QTest::newRow("empty") << "" << kMissing;
        for (const char16_t* text :
             {u" ", u"12 ", u" 12", u"1,5", u"10k", u"1D3", u"0x10", u"\uff11" /* full-width 1 */,
              u"\u0663" /* Arabic 3 */, u"1\u00a0", u"5\t", u"1e5\n"})
            QTest::newRow(QString::fromUtf16(text).toUtf8()) << QString::fromUtf16(text) << kInvalid;
        QTest::newRow("40000 digits, a letter last") << QString(39999, u'7') + "x" << kInvalid;
        // Texts of the alphabet pass, and read as their longest leading number (Vom is 5).
        for (const char* text : {"e", ".", "-", "--", "+-", "-3", "+0"})
            QTest::newRow(text) << QString(text) << kZeroOrNegative;
        for (const char* text : {"1.5", "1E-5", ".5", "2e-3e5", "1.2.3e1"})
            QTest::newRow(text) << QString(text) << kAboveE;
        for (const char* text : {"5E3", "2e+3", "+20", "1e2e3", "5-3"})
            QTest::newRow(text) << QString(text) << QString();
        QTest::newRow("40000 digits") << QString(39998, u'0') + "10" << QString();
    }
    void theFieldCheckComesBeforeTheReading() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        for (const QLocale& locale : {EnglishLocale(), ItalianLocale()}) {
            LocaleScope scope(locale);
            MainWindowSession session;
            for (const auto& [name, typed] : {std::pair{"Text2", "5"}, {"Text3", "10"},
                                             {"Text4", "100"}, {"Text6", "10"}})
                session.field(name).setText(typed);
            session.field("Text1").setText(text);
            QCOMPARE(session.click("Command1"),
                     message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(session.text("Text1"), text);
            QCOMPARE(session.caption("Label25").isEmpty(), !message.isEmpty());
            QCOMPARE(session.text("Text7").isEmpty(), !message.isEmpty());
        }
    }
};

VELMARO_TEST(CheckFieldTest);
#include "check_field_tests.moc"
