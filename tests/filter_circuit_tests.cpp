// SPDX-License-Identifier: GPL-3.0-or-later
// The filter circuits in closed form against the state equations evaluated in long double: the
// exact step, the settled period and the frequency response.

#include "engine/filter_circuit.h"
#include "engine/ideal_circuit.h"
#include "tests/filter_reference.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using namespace engine;
namespace ref = filter_reference;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

using filter_reference::Circuits;
using filter_reference::Describe;
using filter_reference::First;
using filter_reference::Second;
using filter_reference::SettledOutput;
using filter_reference::SettledStart;

bool Near(long double got, long double want, long double tolerance) {
    return std::fabs(got - want) <= tolerance;
}

} // namespace

class FilterCircuitTest : public QObject {
    Q_OBJECT

private slots:
    void theModelsStepIsTheMatrixExponential();
    void theSettledPeriodMatchesTheStateEquations();
    void frequencyResponseMatchesTheTransferFunction();
    void invalidInputsGiveNothing();
};

void FilterCircuitTest::theModelsStepIsTheMatrixExponential() {
    // Steps from a millionth of the fast time constant, where Φ − I is all but cancellation, to
    // many slow ones; M = Φ − I must keep its relative digits in every entry.
    for (const FilterCircuit& circuit : Circuits()) {
        const FilterModel model = *ModelOf(circuit);
        const ref::Linear l = ref::Of(circuit);
        QVERIFY2(Near(model.firstGain, l.x1, 1e-15L) && Near(model.gain, *DcGain(circuit), 0),
                 qPrintable(Describe(circuit)));
        if (model.order == 2)
            QVERIFY(Near(model.gain, l.x2, 1e-15L));
        for (const double scale : {1e-6, 1e-3, 0.7, 5.0, 40.0}) {
            const double t = scale / model.rate[model.order - 1];
            const ExactStep step = StepOver(model, t);
            const ref::Matrix e = ref::ExpMinusIdentity(l.a, t);
            const ref::Real want[] = {e.a11, e.a12, e.a21, l.second ? e.a22 : 0};
            const double got[] = {step.m11, step.m12, step.m21, step.m22};
            for (int i = 0; i < 4; ++i)
                QVERIFY2(Near(got[i], want[i], 1e-13L * std::fabs(want[i]) + 1e-300L),
                         qPrintable(QString("%1, t %2, entry %3: %4 against %5")
                                        .arg(Describe(circuit))
                                        .arg(t)
                                        .arg(i)
                                        .arg(got[i], 0, 'g', 17)
                                        .arg(double(want[i]), 0, 'g', 17)));
        }
    }
}

void FilterCircuitTest::theSettledPeriodMatchesTheStateEquations() {
    // Periods from a hundredth of the slow time constant to many of them, duty cycles near both
    // ends: the extremes must be where they are said to be, and no sample of the period beyond
    // them.
    for (const FilterCircuit& circuit : Circuits()) {
        const ref::Linear l = ref::Of(circuit);
        const double slow = 1 / ModelOf(circuit)->rate[0];
        for (const double periods : {0.01, 0.3, 4.0})
            for (const double d : {0.0, 0.1, 0.5, 0.97, 1.0}) {
                const double e = 10, f = 1 / (periods * slow), g = *DcGain(circuit);
                const FilterSteadyState s = *SteadyStateOf(circuit, e, d, f);
                const ref::State start = SettledStart(l, e, d, f);
                const long double tolerance = 1e-12L * e;
                const QString where =
                    QString("%1, T/τ %2, D %3").arg(Describe(circuit)).arg(periods).arg(d);
                QVERIFY2(Near(s.start.v1, start.v1, tolerance) &&
                             Near(s.start.v2, start.v2, tolerance),
                         qPrintable(where));
                QVERIFY2(Near(s.vMax, SettledOutput(l, start, e, d, f, s.tMax), tolerance) &&
                             Near(s.vMin, SettledOutput(l, start, e, d, f, s.tMin), tolerance),
                         qPrintable(where));
                for (int i = 0; i <= 400; ++i) {
                    const long double y = SettledOutput(l, start, e, d, f, i / (400.0L * f));
                    QVERIFY2(y <= s.vMax + tolerance && y >= s.vMin - tolerance,
                             qPrintable(where + QString(", sample %1").arg(i)));
                }
                QVERIFY2(s.mean == d * e * g && Near(s.ripple, s.vMax - s.vMin, tolerance),
                         qPrintable(where));
                if (!circuit.second && !circuit.RL) {
                    const IdealSteadyState ideal =
                        IdealSteadyStateOf(e, d, f, circuit.R, circuit.C);
                    QVERIFY2(Near(s.ripple, ideal.ripple, 1e-14L * e) &&
                                 Near(s.vMax, ideal.vMax, 1e-14L * e),
                             qPrintable(where));
                }
            }
    }
}

void FilterCircuitTest::frequencyResponseMatchesTheTransferFunction() {
    for (const FilterCircuit& circuit : Circuits()) {
        const ref::Linear l = ref::Of(circuit);
        const double fc = *CutoffFrequencyOf(circuit);
        const QString where = Describe(circuit);
        QVERIFY2(Near(std::abs(ref::Response(l, fc)), std::sqrt(0.5L), 1e-13L), qPrintable(where));
        for (const double ratio : {0.0, 1e-3, 0.5, 1.0, 7.0, 1e3, 1e6}) {
            const double f = ratio * fc;
            const std::complex<long double> h = ref::Response(l, f);
            const FrequencyPoint point = *FrequencyResponseOf(circuit, f);
            QVERIFY2(Near(point.magnitudeDb, 20 * std::log10(std::abs(h)), 1e-10L) &&
                         Near(-*AttenuationOf(circuit, f), point.magnitudeDb, 0),
                     qPrintable(where + QString(", f/fc %1").arg(ratio)));
            // The phase unwrapped: arg H for order 1, and for order 2 until it passes −90°.
            const long double phase = std::arg(h) * 180 / 3.14159265358979323846L;
            const long double unwrapped = phase > 0 ? phase - 360 : phase;
            QVERIFY2(Near(point.phaseDegrees, unwrapped, 1e-10L),
                     qPrintable(where + QString(", f/fc %1").arg(ratio)));
        }
        // Far above the cut-off, a decade costs 20 dB per order.
        const double slope = *AttenuationOf(circuit, 1e9 * fc) - *AttenuationOf(circuit, 1e8 * fc);
        QVERIFY(Near(-slope, HighFrequencySlopeDbPerDecade(circuit), 1e-6L));
        if (!circuit.second)
            QVERIFY(Near(FrequencyResponseOf(circuit, fc)->phaseDegrees, -45, 1e-12L));
        else
            QVERIFY(Near(FrequencyResponseOf(circuit, 1e30 * fc)->phaseDegrees, -180, 1e-12L));
    }
    // No load: the textbook polynomial 1/(s²·R·C·R2·C2 + s·(R·C + R2·C2 + R·C2) + 1).
    const double r = 1e4, c = 1e-7, r2 = 3e4, c2 = 1e-8, f = 700;
    const std::complex<double> s(0, 2 * 3.14159265358979323846 * f);
    const double want = 20 * std::log10(std::abs(1.0 / (s * s * (r * c * r2 * c2) +
                                                        s * (r * c + r2 * c2 + r * c2) + 1.0)));
    QVERIFY(Near(FrequencyResponseOf(Second(r, c, r2, c2), f)->magnitudeDb, want, 1e-12L));
    // Where 2π·f/ri overflows, each factor is still 20·log10(2π·f/ri), from the logarithms.
    const FilterCircuit slow = Second(1e5, 1e5, 1e5, 1e5);
    const FilterModel model = *ModelOf(slow);
    long double want2 = 0;
    for (const double rate : model.rate)
        want2 +=
            20 * (std::log10(2 * 3.14159265358979323846L) + 300 - std::log10((long double)rate));
    const std::optional<double> attenuation = AttenuationOf(slow, 1e300);
    QVERIFY(attenuation && Near(*attenuation, want2, 1e-9L * want2));
}

void FilterCircuitTest::invalidInputsGiveNothing() {
    const double nan = std::nan("");
    const FilterCircuit bad[] = {First(0, 1e-6),
                                 First(1e3, -1e-6),
                                 First(1e3, nan),
                                 First(kInf, 1e-6),
                                 First(1e3, 1e-6, 0),
                                 Second(1e3, 1e-6, 0, 1e-6),
                                 Second(1e3, 1e-6, 1, kInf),
                                 Second(1e300, 1e-300, 1e-300, 1e300)};
    for (const FilterCircuit& circuit : bad) {
        QVERIFY2(!ModelOf(circuit) && !SteadyStateOf(circuit, 1, 0.5, 1e3) &&
                     !CutoffFrequencyOf(circuit) &&
                     !FrequencyResponseOf(circuit, 1),
                 qPrintable(Describe(circuit)));
    }
    const FilterCircuit good = Second(1e3, 1e-6, 1e3, 1e-6);
    // {E, D, f}: E below 0 or infinite, D outside [0, 1] or not a number, f not positive.
    const double drives[][3] = {{-1, 0.5, 1e3}, {kInf, 0.5, 1e3}, {1, 1.5, 1e3},
                                {1, nan, 1e3},  {1, 0.5, 0},      {1, 0.5, kInf}};
    for (const auto& drive : drives)
        QVERIFY(!SteadyStateOf(good, drive[0], drive[1], drive[2]));
    QVERIFY(!FrequencyResponseOf(good, -1));
}

VELMARO_TEST(FilterCircuitTest);

#include "filter_circuit_tests.moc"
