// SPDX-License-Identifier: GPL-3.0-or-later
// The field check: empty texts, characters outside the number alphabet, texts of any length.

#include "checking/check_field.h"
#include "tests/test_registry.h"

#include <QStringList>
#include <QTest>

using namespace app;
using namespace checking;

namespace {

struct CheckOutcome {
    std::int16_t inputError;
    QStringList messages;
};

CheckOutcome Check(DesignState& state, const std::u16string& text) {
    QStringList messages;
    state.FieldText = text;
    CheckField(state, state.FieldText, [&](const std::u16string& message) {
        messages << QString::fromStdU16String(message);
    });
    return {state.InputError, messages};
}

DesignState StateWithMessages() {
    DesignState state;
    state.MissingMsg = u"missing";
    state.InvalidMsg = u"invalid";
    return state;
}

} // namespace

class CheckFieldTest : public QObject {
    Q_OBJECT
private slots:
    void emptyTextShowsTheMissingMessageOnly() {
        DesignState state = StateWithMessages();
        const CheckOutcome outcome = Check(state, u"");
        QCOMPARE(outcome.inputError, std::int16_t(1));
        QCOMPARE(outcome.messages, QStringList{"missing"});
    }

    void charactersOutsideTheAlphabetAreRejected_data() {
        QTest::addColumn<QString>("text");
        for (const char16_t* text :
             {u" ", u"12 ", u" 12", u"1,5", u"10k", u"1D3", u"0x10", u"\uff11" /* full-width 1 */,
              u"\u0663" /* Arabic 3 */, u"1\u00a0", u"5\t", u"1e5\n"})
            QTest::newRow(QString::fromUtf16(text).toUtf8()) << QString::fromUtf16(text);
    }
    void charactersOutsideTheAlphabetAreRejected() {
        QFETCH(QString, text);
        DesignState state = StateWithMessages();
        const CheckOutcome outcome = Check(state, text.toStdU16String());
        QCOMPARE(outcome.inputError, std::int16_t(1));
        QCOMPARE(outcome.messages, QStringList{"invalid"});
    }

    void alphabetTextsPassSilentlyWhateverTheirOrder_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"1.5", "1E-5", "5E3", "2e+3", ".5", "+2", "-3", "1.2.3", "1e2e3",
                                 "5-3", "--", "+-", "e", ".", "-", "0123456789eE.-+"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void alphabetTextsPassSilentlyWhateverTheirOrder() {
        QFETCH(QString, text);
        DesignState state = StateWithMessages();
        state.InputError = 1; // a pass clears the flag of an earlier failure
        const CheckOutcome outcome = Check(state, text.toStdU16String());
        QCOMPARE(outcome.inputError, std::int16_t(0));
        QVERIFY(outcome.messages.isEmpty());
    }

    void textsOfAnyLengthAreTestedInFull() {
        DesignState state = StateWithMessages();
        QCOMPARE(Check(state, std::u16string(32766, u'7')).inputError, std::int16_t(0));
        QCOMPARE(Check(state, std::u16string(40000, u'7')).inputError, std::int16_t(0));

        std::u16string badAtTheEnd(40000, u'7');
        badAtTheEnd.back() = u'x';
        const CheckOutcome outcome = Check(state, badAtTheEnd);
        QCOMPARE(outcome.inputError, std::int16_t(1));
        QCOMPARE(outcome.messages, QStringList{"invalid"});
    }

    void theCallersTextsAreLeftAsTheyWere() {
        DesignState state = StateWithMessages();
        Check(state, u"1,5");
        QCOMPARE(QString::fromStdU16String(state.FieldText), QString("1,5"));
        QCOMPARE(QString::fromStdU16String(state.MissingMsg), QString("missing"));
        QCOMPARE(QString::fromStdU16String(state.InvalidMsg), QString("invalid"));
    }
};

VELMARO_TEST(CheckFieldTest);
#include "check_field_tests.moc"
