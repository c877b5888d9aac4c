// SPDX-License-Identifier: GPL-3.0-or-later
// The response to a change of duty cycle: the output against the state equations in long
// double, the extremes of a time range against the range walked period by period and against
// samples.

#include "engine/step_response.h"
#include "tests/filter_reference.h"
#include "tests/test_registry.h"

#include <QObject>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace engine;
namespace ref = filter_reference;
using filter_reference::Circuits;
using filter_reference::Describe;
using filter_reference::First;
using filter_reference::Second;

namespace {

// {D0, D}: from discharged capacitors, up, down, to nothing.
const double kSteps[][2] = {{0, 0.5}, {0.3, 0.8}, {0.9, 0.1}, {1, 0}};

// A period of half the slow time constant.
double FrequencyOf(const FilterCircuit& circuit) { return ModelOf(circuit)->rate[0] / 0.5; }

} // namespace

class StepResponseTest : public QObject {
    Q_OBJECT

private slots:
    void theOutputIsTheStateEquations();
    void extremesOfARangeAreThoseOfItsPeriods();
    void extremesPastTwoToTheFiftyThreePeriods();
};

void StepResponseTest::theOutputIsTheStateEquations() {
    // Settled at D0 up to 0, then stepped a period at a time in long double.
    for (const FilterCircuit& circuit : Circuits())
        for (const auto& step : kSteps) {
            const double e = 10, f = FrequencyOf(circuit), period = 1 / f;
            const ref::Linear l = ref::Of(circuit);
            const StepResponse response = *StepResponse::Of(circuit, e, step[0], step[1], f);
            const ref::State settled = ref::SettledStart(l, e, step[0], f);
            for (const double periods : {-2.5, -0.3, 0.0, 0.2, step[1], 3.7, 40.1}) {
                const double t = periods * period;
                long double want = 0;
                if (t < 0) {
                    const double phase = t - std::floor(periods) * period;
                    want = ref::SettledOutput(l, settled, e, step[0], f, phase);
                } else {
                    ref::State x = settled;
                    const int whole = int(std::floor(periods));
                    for (int n = 0; n < whole; ++n)
                        x = ref::After(l, ref::After(l, x, e, step[1] * period), 0,
                                       (1 - step[1]) * period);
                    want = ref::SettledOutput(l, x, e, step[1], f, t - whole * period);
                }
                QVERIFY2(std::fabs(response.At(t) - want) <= 1e-12L * e,
                         qPrintable(QString("%1, D0 %2 D %3, t/T %4")
                                        .arg(Describe(circuit))
                                        .arg(step[0])
                                        .arg(step[1])
                                        .arg(periods)));
            }
        }
}

void StepResponseTest::extremesOfARangeAreThoseOfItsPeriods() {
    // A range of many periods gives what its pieces of two periods give together (each walked
    // period by period); a short one, what dense samples of it give, up to the samples' miss.
    for (const FilterCircuit& circuit : Circuits())
        for (const auto& step : kSteps) {
            const double f = FrequencyOf(circuit), period = 1 / f;
            const StepResponse response = *StepResponse::Of(circuit, 10, step[0], step[1], f);
            const QString where =
                QString("%1, D0 %2 D %3").arg(Describe(circuit)).arg(step[0]).arg(step[1]);
            for (const double start : {-7.3, -0.6, 0.0, 0.45, 12.0}) {
                const double from = start * period, to = from + 200 * period;
                const StepResponse::Range whole = response.Over(from, to);
                double low = 1e300, high = -1e300;
                for (int piece = 0; piece < 100; ++piece) {
                    const StepResponse::Range part = response.Over(
                        from + 2 * piece * period, std::min(to, from + 2 * (piece + 1) * period));
                    low = std::min(low, part.low);
                    high = std::max(high, part.high);
                }
                QVERIFY2(std::fabs(whole.low - low) <= 1e-12 &&
                             std::fabs(whole.high - high) <= 1e-12,
                         qPrintable(where + QString(", from %1 periods").arg(start)));
            }
            for (const double span : {0.01, 0.37, 2.6}) {
                const double from = -0.2 * period, to = from + span * period;
                const StepResponse::Range range = response.Over(from, to);
                // Samples, and the switching instants, where the output turns sharply.
                std::vector<double> times;
                constexpr int kSamples = 20000;
                for (int i = 0; i <= kSamples; ++i)
                    times.push_back(from + (to - from) * i / kSamples);
                for (double n = std::floor(from / period); n * period <= to; ++n)
                    for (const double phase : {0.0, n < 0 ? step[0] : step[1]})
                        if ((n + phase) * period >= from && (n + phase) * period <= to)
                            times.push_back((n + phase) * period);
                double low = 1e300, high = -1e300;
                for (const double t : times) {
                    low = std::min(low, response.At(t));
                    high = std::max(high, response.At(t));
                }
                // Never inside the samples; beyond them by no more than the samples can miss
                // next to a turn as sharp as the fast stage's.
                QVERIFY2(range.low <= low + 1e-12 && range.low >= low - 1e-2 &&
                             range.high >= high - 1e-12 && range.high <= high + 1e-2,
                         qPrintable(where + QString(", span %1 periods").arg(span)));
            }
        }
    // Ten million periods in one range cost no more than a few.
    const StepResponse response = *StepResponse::Of(Second(1e4, 1e-7, 1e5, 1e-8), 5, 0, 0.5, 1e3);
    const StepResponse::Range range = response.Over(0, 1e4);
    QVERIFY(range.low == response.At(0) && std::fabs(range.high - 2.5) < 0.1);
}

void StepResponseTest::extremesPastTwoToTheFiftyThreePeriods() {
    // R·C·f where the period count of a time no longer holds every whole number. The output
    // barely moves within a few periods there, and the whole step spans the two means.
    const double e = 10, f = 1e4, period = 1 / f;
    for (const double rcf : {1e16, 1e300})
        for (const bool second : {false, true}) {
            const double c = rcf / (1e4 * f);
            const FilterCircuit circuit =
                second ? Second(1e4, c / 2, 1e5, c / 20, 1e6) : First(1e4, c);
            const QString name = Describe(circuit);
            const StepResponse response = *StepResponse::Of(circuit, e, 0.3, 0.8, f);
            const double low = response.StartMean(), high = response.FinalMean();
            for (const double periods : {0x1p53, 0.7 * rcf, 3 * rcf}) {
                const double t = periods * period;
                const StepResponse::Range near = response.Over(t, t + 3 * period);
                const double at = response.At(t);
                QVERIFY2(at >= low - 1e-9 * e && at <= high + 1e-9 * e &&
                             std::fabs(near.low - at) <= 1e-9 * e &&
                             std::fabs(near.high - at) <= 1e-9 * e,
                         qPrintable(name + QString(" at %1 periods").arg(periods)));
            }
            const StepResponse::Range whole = response.Over(-period, 30 * rcf * period);
            QVERIFY2(std::fabs(whole.low - low) <= 1e-9 * e && whole.high <= high + 1e-9 * e &&
                         whole.high >= high - 1e-3 * e,
                     qPrintable(name));
        }
}

VELMARO_TEST(StepResponseTest);

#include "step_response_tests.moc"
