// SPDX-License-Identifier: GPL-3.0-or-later
// Every field of "Calcola C" and "Grafici" against hostile entries. Each entry goes into one
// field while the others hold a valid design; the command must show exactly the one message the
// entry calls for (or none, with a correct result), and leave the windows as the commands' rules
// say: the texts and colours of the fields, the result label, and the plot, the run it holds and
// the result labels of the graph window.
//
// The expectations are written out as a table of entry x field, derived from the rules of the
// two commands:
// - all fields are checked for characters before any is converted; a refused text converts
//   nothing;
// - values are converted in a fixed order and each is stored before its range test; a number
//   beyond the range of a real (read or once scaled) is not stored;
// - "Grafici" turns E and D black once converted, f, C and R once accepted, and leaves the
//   count fields' colour alone;
// - a failing command leaves Label25 and the verification fields, or the plot and its two
//   result labels, as they were; typed texts stay in their fields.
// The sweep runs under the Italian locale, so that every label shows "," while the
// verification fields keep ".".

#include "app/control_table.h"
#include "app/design_state.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "main_window/form1.h"
#include "tests/gui_support.h"
#include "tests/reference_plot.h"
#include "tests/reference_simulation.h"
#include "tests/test_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace app;
using namespace graph_window;
using namespace main_window;

namespace {

// ---------------------------------------------------------------------------------------------
// The fields and their messages

const QString kInvalidAdvice = ". Puoi scrivere soltanto numeri razionali con il punto come "
                               "separatore decimale, anche in forma esponenziale. Ad es: 1.23 , "
                               "1E-5 , 5E3";

enum class Member { E, Vom, f, DeltaVo, R, D, C, N, NP, NI };

struct Field {
    const char* name;
    const char* subject;   // how the messages name the field's quantity
    const char* rangeText; // the message for a value out of range; empty when none
    Member member;
    double scale;     // stored = reading * scale; 0 for a count
    const char* base; // the entry of the valid design
    double baseReading;
    const char* earlier; // the entry of the design on show before the sweep's click
};

QString Missing(const Field& field) {
    return "Hai dimenticato di scrivere " + QString::fromUtf8(field.subject);
}
QString Invalid(const Field& field) {
    return "Errore di inserimento dati per " + QString::fromUtf8(field.subject) + kInvalidAdvice;
}
QString Unrepresentable(const Field& field) {
    return "Errore di inserimento dati per " + QString::fromUtf8(field.subject) +
           QString::fromUtf8(". Il numero è fuori dall'intervallo dei numeri rappresentabili.");
}
QString CountOutOfRange(const Field& field) {
    return "Errore di inserimento dati per " + QString::fromUtf8(field.subject) +
           ". Il numero deve essere compreso tra -2147483648 e 2147483647.";
}
QString OutOfRange(const Field& field) { return QString::fromUtf8(field.rangeText); }

// "Calcola C", in the order of the checks and of the conversions (the same order).
const Field kDesignFields[] = {
    {"Text1", "la tensione di ingresso E",
     "La tensione in ingresso non può essere zero o negativa!", Member::E, 1, "10", 10, "20"},
    {"Text2", "il valore della tensione desiderata in uscita Vom",
     "La tensione in uscita non può essere zero o negativa o maggiore di E!", Member::Vom, 1, "5",
     5, "4"},
    {"Text3", "il valore della frequenza del segnale in ingresso f in kHz",
     "La frequenza non può essere zero o negativa!", Member::f, 1000, "10", 10, "20"},
    {"Text4", "il valore di DeltaVo in mV", "DeltaVo non può essere zero o negativo!",
     Member::DeltaVo, 0.001, "100", 100, "50"},
    {"Text6", "il valore di R in kohm", "R non può essere zero o negativa!", Member::R, 1000, "10",
     10, "20"},
};

// "Grafici", in the order of the conversions; the checks examine R (Text9) before C (Text10).
const Field kGraphFields[] = {
    {"Text7", "la tensione di ingresso E",
     "La tensione in ingresso non può essere zero o negativa!", Member::E, 1, "10", 10, "20"},
    {"Text8", "il valore del Duty Cycle in %",
     "Il Duty Cycle non può essere zero o negativo o maggiore o uguale al 100%!", Member::D, 0.01,
     "30", 30, "50"},
    {"Text12", "il valore della frequenza del segnale in ingresso f in kHz",
     "La frequenza non può essere zero o negativa!", Member::f, 1000, "1", 1, "2"},
    {"Text10", "il valore della capacità in nF", "La capacità non può essere zero o negativa!",
     Member::C, 1e-9, "1000", 1000, "500"},
    {"Text9", "il valore della resistenza R in kohm",
     "La resistenza non può essere zero o negativa!", Member::R, 1000, "1", 1, "2"},
    {"Text13", "il numero dei campioni N", "", Member::N, 0, "10", 10, "20"},
    {"Text14", "il numero dei periodi visualizzati NP", "", Member::NP, 0, "1", 1, "2"},
    {"Text15", "il numero delle iterazioni NI", "", Member::NI, 0, "2000", 2000, "100"},
};
const char* const kVerificationFields[] = {"Text7", "Text12", "Text8", "Text10", "Text9"};

template <std::size_t n> const Field& Find(const Field (&fields)[n], const QString& name) {
    for (const Field& field : fields)
        if (name == field.name)
            return field;
    qFatal("no field %s", qPrintable(name));
}
template <std::size_t n> int StepOf(const Field (&fields)[n], const QString& name) {
    return int(&Find(fields, name) - fields);
}

// The program's refusals of run settings and results that the engine cannot work with.
const QString kNoSamples = "Il numero dei campioni N deve essere almeno 1!";
QString FewerThan(int n) {
    return QString("Il numero dei campioni N deve essere almeno %1: con meno campioni nessuno "
                   "cade nell'impulso!")
        .arg(n);
}
const QString kTooManySamples = "Il numero dei campioni N non può superare 40000000!";
const QString kNoPeriods = "Il numero delle iterazioni NI deve essere almeno 1!";
const QString kTooManyPeriods = "Il numero delle iterazioni NI non può superare 2147483647!";
const QString kFrequencyTooLow = QString::fromUtf8(
    "La frequenza è troppo bassa: il passo di simulazione (1/f)/N non è rappresentabile!");
const QString kUnstableStep =
    "Il passo di simulazione (1/f)/N supera il doppio della costante di tempo R*C: la "
    "simulazione sarebbe instabile. Aumenta il numero dei campioni N!";
const QString kResultsNotRepresentable =
    "La simulazione ha dato valori fuori dall'intervallo dei numeri rappresentabili: controlla i "
    "dati di verifica!";
const QString kCapacitanceNotRepresentable = QString::fromUtf8(
    "Errore di calcolo: con questi dati il calcolo di C esce dall'intervallo dei numeri "
    "rappresentabili.");

// ---------------------------------------------------------------------------------------------
// The table

// How far a command gets with an entry.
enum Outcome {
    CheckRefused,    // the character check refuses a text: nothing is converted
    ValueRejected,   // a value is stored and then fails its range test
    NotStored,       // a number beyond the range of a real, read or scaled: not stored
    DesignFault,     // "Calcola C": all five stored, C not representable, nothing written
    SettingsRefused, // "Grafici": everything stored, the run settings refused before the plot
    ResultsFault,    // "Grafici": the run gave non-finite results; the plot shows the axes only
    Completed,       // a correct result
};

// The hostile entries common to every field. Those that a field treats in its own way (tiny,
// huge, the counts, N·D, the time step) are added field by field.
const QString kManyOnes(40000, u'1');
QString ZeroPadded(const char* entry) {
    const QString text = QString::fromLatin1(entry);
    return QString(40000 - text.size(), u'0') + text;
}

struct TableBuilder {
    const Field* field = nullptr;

    void row(const char* label, const QString& entry, double reading, Outcome outcome,
             const QString& message, const char* failsAt = nullptr) {
        QTest::newRow(qPrintable(QString("%1 %2").arg(field->name, label)))
            << QString(field->name) << entry << reading << int(outcome) << message
            << QString(failsAt ? failsAt : field->name);
    }

    // Texts the character check refuses: the field's message for an empty text or for a
    // character outside the number alphabet.
    void refusedByTheCheck() {
        row("empty", "", 0, CheckRefused, Missing(*field));
        row("one blank", " ", 0, CheckRefused, Invalid(*field));
        row("blank inside", "1 0", 0, CheckRefused, Invalid(*field));
        row("trailing blank", QString(field->base) + " ", 0, CheckRefused, Invalid(*field));
        row("comma", "1,5", 0, CheckRefused, Invalid(*field));
        row("letters", "abc", 0, CheckRefused, Invalid(*field));
        row("unit letter", QString(field->base) + "k", 0, CheckRefused, Invalid(*field));
        row("full-width digits", QString::fromUtf8("１０"), 0, CheckRefused, Invalid(*field));
        row("40000 digits then a letter", QString(39999, u'1') + "x", 0, CheckRefused,
            Invalid(*field));
    }

    // Texts made of the number alphabet that read as zero or less.
    void readAsZeroOrLess(Outcome outcome, const QString& message) {
        row("e", "e", 0, outcome, message);
        row("point", ".", 0, outcome, message);
        row("two minus", "--", 0, outcome, message);
        row("sign pair", "+-", 0, outcome, message);
        row("underflow", "1e-400", 0, outcome, message);
        row("40000-digit fraction", "0." + QString(39997, u'0') + "1", 0, outcome, message);
        row("zero, huge exponent", "0e400", 0, outcome, message);
        row("minus zero", "-0", -0.0, outcome, message);
        row("negative", "-5", -5, outcome, message);
    }

    // Numbers beyond the range of a real.
    void beyondAReal(const QString& message) {
        row("1e400", "1e400", 0, NotStored, message);
        row("-1e400", "-1e400", 0, NotStored, message);
        row("40000 ones", kManyOnes, 0, NotStored, message);
    }

    // Odd texts that read as the valid design's value.
    void readAsTheBase() {
        row("40000 digits", ZeroPadded(field->base), field->baseReading, Completed, "");
        row("plus sign", "+" + QString(field->base), field->baseReading, Completed, "");
        row("dangling exponent", QString(field->base) + "e-", field->baseReading, Completed, "");
        row("trailing garbage", QString(field->base) + ".e+-", field->baseReading, Completed, "");
    }
};

void AddColumns() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("reading"); // the field reading of the entry, where it is stored
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message"); // empty: no message
    QTest::addColumn<QString>("failsAt"); // the field whose step ends the command
}

// ---------------------------------------------------------------------------------------------
// State and pictures

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

double& MemberOf(DesignState& state, Member member) {
    switch (member) {
    case Member::E:
        return state.E;
    case Member::Vom:
        return state.Vom;
    case Member::f:
        return state.f;
    case Member::DeltaVo:
        return state.DeltaVo;
    case Member::R:
        return state.R;
    case Member::D:
        return state.D;
    case Member::C:
        return state.C;
    default:
        break;
    }
    qFatal("not a real member");
}
std::int32_t& CountOf(DesignState& state, Member member) {
    return member == Member::N ? state.N : member == Member::NP ? state.NP : state.NI;
}

// Stores a field's value as the rules convert it: reading times scale, or the count nearest to
// the reading, halves to the even neighbour.
void Store(DesignState& state, const Field& field, double reading) {
    if (field.scale == 0)
        CountOf(state, field.member) = std::int32_t(std::nearbyint(reading));
    else
        MemberOf(state, field.member) = reading * field.scale;
}

// The first sample or statistic in which the plot's run differs from the literal evaluation;
// empty when none does.
QString RunDifference(const engine::SimulatedRun& got, const test_state::SimulatedState& want) {
    const auto real = [](const char* name, double a, double b) {
        return SameBits(a, b)
                   ? QString()
                   : QString("%1 is %2, %3 expected")
                         .arg(name, QString::number(a, 'g', 17), QString::number(b, 'g', 17));
    };
    const auto array = [](const char* name, std::span<const double> a,
                          std::span<const double> b) {
        if (a.size() != b.size())
            return QString("%1 has %2 elements, %3 expected").arg(name).arg(a.size()).arg(b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!SameBits(a[i], b[i]))
                return QString("%1(%2) is %3, %4 expected")
                    .arg(name)
                    .arg(i)
                    .arg(a[i], 0, 'g', 17)
                    .arg(b[i], 0, 'g', 17);
        return QString();
    };
    const engine::PeriodStatistics& s = got.statistics;
    QStringList differences{
        real("dt", got.dt, want.dt),
        array("Vi", got.Vi, want.Vi),
        array("Vo", got.Vo, want.Vo),
        array("iC", got.iC, want.iC),
        real("ViMax", s.ViMax, want.ViMax),
        real("IcMax", s.IcMax, want.IcMax),
        real("VoMax", s.VoMax, want.VoMax),
        real("VoMin", s.VoMin, want.VoMin),
        real("DeltaVoVera", s.DeltaVoVera, want.DeltaVoVera),
        real("VomVera", s.VomVera, want.VomVera),
    };
    differences.removeAll(QString());
    return differences.join("; ");
}

// The patterns "0.00E+00" and "0.000E+00": a label shows the locale's separator (","), a
// verification field ".".
QString LabelNumber(double value) { return QString::asprintf("%.2E", value).replace('.', ','); }
QString FieldNumber(double value) { return QString::asprintf("%.3E", value); }

// The plot the rules draw for a state: ticks and baselines, then for every period and every
// segment from sample i to i+1 the three traces, each scaled by its largest magnitude. A trace
// whose largest magnitude is 0 is all zeros and lies on its baseline.
QImage ExpectedPlot(QSize pictureSize, const test_state::SimulatedState& s, bool traces) {
    PlotPicture plot(pictureSize, kLightYellow);
    plot.SetScale(kPlotCoordinates);
    DrawTicksAndBaselines(plot);
    if (!traces)
        return plot.Picture().copy();
    const auto height = [](double sample, double largest, double fullScale, double baseline) {
        return largest == 0 ? float(baseline) : float((sample * fullScale) / largest + baseline);
    };
    for (std::int32_t j = 1; j <= s.NP; ++j)
        for (std::int32_t i = 1; i <= s.N - 1; ++i) {
            const double x1 = (100.0 / s.NP) * (j - 1) + ((100.0 / s.NP) * i) / s.N;
            const double x2 = (100.0 / s.NP) * (j - 1) + ((100.0 / s.NP) * (i + 1)) / s.N;
            plot.Line(float(x1), height(s.Vi[i], s.ViMax, 18, 80), float(x2),
                      height(s.Vi[i + 1], s.ViMax, 18, 80), kRed);
            plot.Line(float(x1), height(s.iC[i], s.IcMax, 18, 60), float(x2),
                      height(s.iC[i + 1], s.IcMax, 18, 60), kGreen);
            plot.Line(float(x1), height(s.Vo[i], s.VoMax, 36, 0.1), float(x2),
                      height(s.Vo[i + 1], s.VoMax, 36, 0.1), kBlue);
        }
    return plot.Picture().copy();
}

// Plots drawn segment by segment, and literal runs, are only affordable up to these sizes;
// beyond them the rows check the results through the labels.
constexpr std::int64_t kLargestLiteralRun = 2'000'000;  // N * NI
constexpr std::int64_t kLargestLiteralPlot = 1'000'000; // N * NP

const QColor kBlack(0, 0, 0);
const QColor kFieldBlue(0, 0, 255);

// The main window, filled a field table at a time.
struct Session : MainWindowSession {
    template <std::size_t n> void fill(const Field (&fields)[n], bool earlier) {
        for (const Field& field : fields)
            this->field(field.name).setText(earlier ? field.earlier : field.base);
    }
};

} // namespace

class BadInputSweepTest : public QObject {
    Q_OBJECT
private slots:
    void designCommand_data() {
        AddColumns();
        TableBuilder table;
        for (const Field& field : kDesignFields) {
            table.field = &field;
            table.refusedByTheCheck();
            table.readAsZeroOrLess(ValueRejected, OutOfRange(field));
            table.beyondAReal(Unrepresentable(field));
            table.readAsTheBase();
        }
        const Field& E = kDesignFields[0];
        const Field& Vom = kDesignFields[1];
        const Field& f = kDesignFields[2];
        const Field& DeltaVo = kDesignFields[3];
        const Field& R = kDesignFields[4];

        // A tiny E falls below Vom; a tiny Vom designs a tiny C; a tiny f, DeltaVo or R leaves
        // a divisor so small that C is beyond the range of a real, and a huge DeltaVo one
        // beyond it.
        table.field = &E;
        table.row("tiny", "1e-320", 1e-320, ValueRejected, OutOfRange(Vom), "Text2");
        table.row("huge", "1e308", 1e308, Completed, "");
        table.row("below Vom", "4.99", 4.99, ValueRejected, OutOfRange(Vom), "Text2");
        table.field = &Vom;
        table.row("tiny", "1e-320", 1e-320, Completed, "");
        table.row("huge", "1e308", 1e308, ValueRejected, OutOfRange(Vom));
        table.row("equal to E", "10", 10, Completed, "");
        table.field = &f;
        table.row("tiny", "1e-320", 1e-320, DesignFault, kCapacitanceNotRepresentable);
        table.row("huge", "1e308", 0, NotStored, Unrepresentable(f));
        table.field = &DeltaVo;
        table.row("tiny", "1e-320", 1e-320, DesignFault, kCapacitanceNotRepresentable);
        table.row("small", "1e-300", 1e-300, Completed, "");
        table.row("large", "1e300", 1e300, Completed, "");
        table.row("huge", "1e308", 1e308, DesignFault, kCapacitanceNotRepresentable);
        table.field = &R;
        table.row("tiny", "1e-320", 1e-320, DesignFault, kCapacitanceNotRepresentable);
        table.row("huge", "1e308", 0, NotStored, Unrepresentable(R));
    }

    void designCommand() {
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(double, reading);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        QFETCH(QString, failsAt);
        LocaleScope italian(ItalianLocale());
        Session session;

        // An earlier design on show, whose verification fields a graph command has since taken
        // over (black), so that a new design visibly turns them blue.
        session.fill(kDesignFields, true);
        QVERIFY(session.click("Command1").isEmpty());
        for (const char* name : kVerificationFields)
            SetTextColour(session.field(name), kPaletteBlack);

        session.fill(kDesignFields, false);
        session.field(field).setText(entry);
        const QString label25Before = session.caption("Label25");
        QStringList verificationBefore;
        for (const char* name : kVerificationFields)
            verificationBefore << session.text(name);

        QCOMPARE(session.click("Command1"),
                 message.isEmpty() ? QStringList() : QStringList{message});

        // The design the rules compute from the entries.
        DesignState want;
        if (outcome == Completed) {
            for (const Field& converted : kDesignFields)
                Store(want, converted, converted.name == field ? reading : converted.baseReading);
            want.D = want.Vom / want.E;
            want.C = ((want.D * want.E) * (1 - want.D)) * 1e9 / ((want.R * want.f) * want.DeltaVo);
        }

        // What the window shows: the new design in blue, or the earlier one as it was.
        if (outcome == Completed) {
            QCOMPARE(session.caption("Label25"), LabelNumber(want.C));
            QCOMPARE(session.text("Text7"), FieldNumber(want.E));
            QCOMPARE(session.text("Text12"), FieldNumber(want.f / 1000));
            QCOMPARE(session.text("Text8"), FieldNumber(want.D * 100));
            QCOMPARE(session.text("Text10"), FieldNumber(want.C));
            QCOMPARE(session.text("Text9"), FieldNumber(want.R * 0.001));
        } else {
            QCOMPARE(session.caption("Label25"), label25Before);
            for (int k = 0; k < int(std::size(kVerificationFields)); ++k)
                QCOMPARE(session.text(kVerificationFields[k]), verificationBefore[k]);
        }
        for (const char* name : kVerificationFields)
            QCOMPARE(session.textColour(name), outcome == Completed ? kFieldBlue : kBlack);
        for (const Field& design : kDesignFields)
            QCOMPARE(session.text(design.name), design.name == field ? entry : design.base);
    }

    void graphCommand_data() {
        AddColumns();
        TableBuilder table;
        for (const Field& field : kGraphFields) {
            table.field = &field;
            table.refusedByTheCheck();
            table.readAsTheBase();
        }
        const Field& E = kGraphFields[0];
        const Field& D = kGraphFields[1];
        const Field& f = kGraphFields[2];
        const Field& C = kGraphFields[3];
        const Field& R = kGraphFields[4];
        const Field& N = kGraphFields[5];
        const Field& NP = kGraphFields[6];
        const Field& NI = kGraphFields[7];

        // The circuit values: refused at zero or below, not stored beyond a real.
        for (const Field* field : {&E, &D, &f, &C, &R}) {
            table.field = field;
            table.readAsZeroOrLess(ValueRejected, OutOfRange(*field));
            table.beyondAReal(Unrepresentable(*field));
        }
        table.field = &E;
        table.row("tiny", "1e-320", 1e-320, Completed, "");
        table.row("huge", "1e308", 1e308, ResultsFault, kResultsNotRepresentable);
        table.field = &D;
        table.row("tiny", "1e-320", 1e-320, SettingsRefused,
                  "Il numero dei campioni N dovrebbe superare 40000000 perché un campione cada "
                  "nell'impulso: aumenta il Duty Cycle!");
        table.row("just enough at the largest N", "3.751e-6", 3.751e-6, SettingsRefused,
                  FewerThan(39989337));
        table.row("huge", "1e308", 1e308, ValueRejected, OutOfRange(D));
        table.row("100 %", "100", 100, ValueRejected, OutOfRange(D));
        table.field = &f;
        table.row("tiny", "1e-320", 1e-320, SettingsRefused, kFrequencyTooLow);
        table.row("huge once scaled", "1e306", 0, NotStored, Unrepresentable(f));
        table.row("high", "1e305", 1e305, Completed, "");
        table.field = &C;
        table.row("tiny, 0 once scaled", "1e-320", 0, ValueRejected, OutOfRange(C));
        table.row("huge", "1e308", 1e308, Completed, "");
        table.field = &R;
        table.row("tiny", "1e-320", 1e-320, SettingsRefused, kUnstableStep);
        table.row("huge once scaled", "1e308", 0, NotStored, Unrepresentable(R));

        // Time steps beyond and within 2·R·C (dt = 0.1 ms, R·C = 1 ms in the valid design).
        table.field = &C;
        table.row("dt above 2RC", "49", 49, SettingsRefused, kUnstableStep);
        table.row("dt between RC and 2RC", "51", 51, Completed, "");
        table.field = &R;
        table.row("dt above 2RC", "0.04", 0.04, SettingsRefused, kUnstableStep);
        table.row("dt between RC and 2RC", "0.06", 0.06, Completed, "");
        table.field = &f;
        table.row("dt above 2RC", "0.04", 0.04, SettingsRefused, kUnstableStep);
        table.row("dt between RC and 2RC", "0.06", 0.06, Completed, "");

        // N·D around 0.5 and 1.5 (N = 10): no on-phase sample, or one that the wrap overwrites,
        // or switching samples that coincide and overwrite it (1.5) leave no sample in the
        // pulse, and the message names the smallest N that leaves one; then the top end, where
        // k1 reaches N + 1.
        table.field = &D;
        table.row("N*D 0.49", "4.9", 4.9, SettingsRefused, FewerThan(31));
        table.row("N*D 0.5", "5", 5, SettingsRefused, FewerThan(31));
        table.row("N*D 0.51", "5.1", 5.1, SettingsRefused, FewerThan(30));
        table.row("N*D 1.49", "14.9", 14.9, SettingsRefused, FewerThan(11));
        table.row("N*D 1.5", "15", 15, SettingsRefused, FewerThan(11));
        table.row("N*D 1.51", "15.1", 15.1, Completed, "");
        table.row("N*D 9.5", "95", 95, Completed, "");
        table.row("N*D 9.6", "96", 96, Completed, "");
        table.row("N*D 9.999", "99.99", 99.99, Completed, "");
        // The same through N (D = 0.3).
        table.field = &N;
        table.row("N*D 0.3", "1", 1, SettingsRefused, FewerThan(6));
        table.row("N*D 0.6", "2", 2, SettingsRefused, FewerThan(6));
        table.row("N*D 1.5", "5", 5, SettingsRefused, FewerThan(6));
        table.row("N*D 1.8", "6", 6, Completed, "");
        table.row("N 1.5 rounds to 2", "1.5", 1.5, SettingsRefused, FewerThan(6));
        table.row("N 2.5 rounds to 2", "2.5", 2.5, SettingsRefused, FewerThan(6));
        table.row("N 0.5 rounds to 0", "0.5", 0.5, SettingsRefused, kNoSamples);

        // The counts: zero and below, huge, beyond a signed 32-bit integer.
        for (const Field* field : {&N, &NP, &NI}) {
            table.field = field;
            const bool drawn = field == &NP;
            const QString atLeastOne = field == &N ? kNoSamples : kNoPeriods;
            table.readAsZeroOrLess(drawn ? Completed : SettingsRefused, drawn ? "" : atLeastOne);
            table.row("tiny", "1e-320", 0, drawn ? Completed : SettingsRefused,
                      drawn ? "" : atLeastOne);
            table.row("most negative", "-2147483648", -2147483648.0,
                      drawn ? Completed : SettingsRefused, drawn ? "" : atLeastOne);
            table.row("most negative by rounding", "-2147483648.5", -2147483648.5,
                      drawn ? Completed : SettingsRefused, drawn ? "" : atLeastOne);
            const bool tooMany = field == &N;
            table.row("largest", "2147483647", 2147483647.0, tooMany ? SettingsRefused : Completed,
                      tooMany ? kTooManySamples : "");
            table.row("largest by rounding", "2147483647.4", 2147483647.4,
                      tooMany ? SettingsRefused : Completed, tooMany ? kTooManySamples : "");
            table.row("just too many", "40000001", 40000001, tooMany ? SettingsRefused : Completed,
                      tooMany ? kTooManySamples : "");
            // Beyond a 32-bit count: the range the run accepts for N and NI, any count for NP.
            const QString above = field == &N    ? kTooManySamples
                                  : field == &NI ? kTooManyPeriods
                                                 : CountOutOfRange(*field);
            const QString below = drawn ? CountOutOfRange(*field) : atLeastOne;
            table.row("beyond a count", "2147483648", 0, NotStored, above);
            table.row("beyond a count by rounding", "2147483647.5", 0, NotStored, above);
            table.row("below a count", "-2147483649", 0, NotStored, below);
            table.row("huge", "1e308", 0, NotStored, above);
            table.row("1e400", "1e400", 0, NotStored, above);
            table.row("-1e400", "-1e400", 0, NotStored, below);
            table.row("40000 ones", kManyOnes, 0, NotStored, above);
        }
    }

    void graphCommand() {
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(double, reading);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        QFETCH(QString, failsAt);
        LocaleScope italian(ItalianLocale());
        Session session;

        // An earlier plot with its results on show.
        session.fill(kGraphFields, true);
        QVERIFY(session.click("Command2").isEmpty());
        QPointer<Form2> graph = &session.main.GraphWindow();
        QVERIFY(graph->isVisible());
        const QImage plotBefore = graph->Plot().Picture().copy();
        const QString rippleBefore = graph->findChild<QLabel*>("Label5")->text();
        const QString meanBefore = graph->findChild<QLabel*>("Label9")->text();

        // The valid design with the entry in one field, all fields in blue as "Calcola C"
        // leaves the circuit values; the counts must keep theirs.
        session.fill(kGraphFields, false);
        session.field(field).setText(entry);
        for (const Field& each : kGraphFields)
            SetTextColour(session.field(each.name), kPaletteBlue);

        QCOMPARE(session.click("Command2"),
                 message.isEmpty() ? QStringList() : QStringList{message});

        // How far the conversions got: how many values, in their order, were stored, and how
        // many accepted; and the design they make.
        int stored = 0;
        int accepted = 0;
        DesignState want;
        if (outcome != CheckRefused) {
            const int failing = StepOf(kGraphFields, failsAt);
            stored = outcome == ValueRejected ? failing + 1
                     : outcome == NotStored   ? failing
                                              : int(std::size(kGraphFields));
            accepted = outcome == ValueRejected ? failing : stored;
            for (int step = 0; step < stored; ++step) {
                const Field& converted = kGraphFields[step];
                Store(want, converted, converted.name == field ? reading : converted.baseReading);
            }
        }
        // A completed command ran the simulation and the statistics, which must come out as
        // the literal evaluation gives them.
        const bool literal =
            outcome == Completed &&
            std::int64_t(std::max(want.N, 1)) * std::max(want.NI, 1) <= kLargestLiteralRun;
        test_state::SimulatedState literalRun = test_state::DesignOf(want);
        if (literal) {
            reference::RunSimulation(literalRun);
            reference::ComputeStatistics(literalRun);
        }

        // The graph window: the same one, its plot and results as the rules leave them.
        QVERIFY(graph);
        QCOMPARE(&session.main.GraphWindow(), graph.data());
        QVERIFY(graph->isVisible());
        const QString ripple = graph->findChild<QLabel*>("Label5")->text();
        const QString mean = graph->findChild<QLabel*>("Label9")->text();
        const QImage& plot = graph->Plot().Picture();
        if (outcome == Completed) {
            if (literal) {
                const QString difference =
                    RunDifference(*graph->Plot().Surface().Drawn()->run, literalRun);
                QVERIFY2(difference.isEmpty(), qPrintable(difference));
                QCOMPARE(ripple, LabelNumber(literalRun.DeltaVoVera));
                QCOMPARE(mean, LabelNumber(literalRun.VomVera));
            } else {
                // Too long to run literally: the valid design's settled results.
                QCOMPARE(ripple, QString("1,56E+03"));
                QCOMPARE(mean, QString("2,51E+00"));
            }
            if (literal && std::int64_t(want.N) * std::max(want.NP, 0) <= kLargestLiteralPlot)
                QCOMPARE(plot, ExpectedPlot(graph->Plot().Picture().size(), literalRun, true));
            else
                QVERIFY(plot != plotBefore);
        } else if (outcome == ResultsFault) {
            // Ticks and baselines only, and nothing of the run before beside them.
            QCOMPARE(ripple, QString());
            QCOMPARE(mean, QString());
            QCOMPARE(plot, ExpectedPlot(graph->Plot().Picture().size(), literalRun, false));
        } else {
            QCOMPARE(ripple, rippleBefore);
            QCOMPARE(mean, meanBefore);
            QCOMPARE(plot, plotBefore);
        }

        // Colours: E and D turn black once converted, f, C and R once accepted; the counts
        // keep theirs. Every typed text stays.
        const auto colourAfter = [&](const Field& each) {
            const int step = StepOf(kGraphFields, each.name);
            const bool black = each.member == Member::E || each.member == Member::D
                                   ? step < stored
                                   : each.scale != 0 && step < accepted;
            return black ? kBlack : kFieldBlue;
        };
        for (const Field& each : kGraphFields) {
            QCOMPARE(session.textColour(each.name), colourAfter(each));
            QCOMPARE(session.text(each.name), each.name == field ? entry : each.base);
        }
    }
};

VELMARO_TEST(BadInputSweepTest);
#include "bad_input_sweep_tests.moc"
