// SPDX-License-Identifier: GPL-3.0-or-later
// The response window, offscreen, timed as the user waits for it (wall time):
//   Show/<circuit>   the window computed again for a circuit and both plots drawn: the step's
//                    settling, its 956 pixel columns as lowest-to-highest output
//                    (StepResponse::Over) and its marks, the frequency response's columns, grid
//                    and labels, the figures in their labels (goal: <= 50 ms);
//   Zoom/<circuit>   one wheel step in on the time plot of the whole, drawn again (the columns
//                    of a new span; goal: <= 50 ms).
// The circuits settle in about a hundred periods (the worked example), in 10^7 periods (one RC
// and two stages), in 10^15 periods, and in 10^17 (one RC and two stages) and 10^300 periods,
// beyond 2^53 where a count of periods no longer holds every whole number: the work does not
// grow with the periods a column spans.
// A table at the end gives the fastest and the median repetition against the goal.

#include "plot/chart_plot.h"
#include "response_window/response_window.h"

#include "bench/bench_arguments.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using response_window::ResponseInput;
using response_window::ResponseWindow;

constexpr double kGoalMs = 50;

struct Circuit {
    const char* name;
    ResponseInput input;
};

// One RC whose mean settles to 1 % of the step in about `periods` periods at 10 kHz, D 30 %:
// τ = periods·T/ln 100.
engine::FilterCircuit FirstOrderSettlingIn(double periods) {
    const double tau = periods * 1e-4 / std::log(100.0);
    return {10e3, tau / 10e3, std::nullopt, std::nullopt};
}

const std::vector<Circuit>& Circuits() {
    static const std::vector<Circuit> circuits = [] {
        std::vector<Circuit> made{
            {"example", {10, 0.3, 1e4, {10e3, 210e-9, std::nullopt, std::nullopt}}},
            {"rc_1e7_periods", {10, 0.3, 1e4, FirstOrderSettlingIn(1e7)}},
            {"rc_1e15_periods", {10, 0.3, 1e4, FirstOrderSettlingIn(1e15)}},
            {"rc_1e17_periods", {10, 0.3, 1e4, FirstOrderSettlingIn(1e17)}},
            {"rc_1e300_periods", {10, 0.3, 1e4, FirstOrderSettlingIn(1e300)}},
        };
        // Two stages, R2 = 10·R and C2 = C/10, with a load, slowed to about 10^7 and 10^17
        // periods.
        for (const auto& [name, periods] : {std::pair{"rc_rc_load_1e7_periods", 1e7},
                                            std::pair{"rc_rc_load_1e17_periods", 1e17}}) {
            engine::FilterCircuit ladder = FirstOrderSettlingIn(periods);
            ladder.C /= 2;
            ladder.second = engine::SecondStage{10 * ladder.R, ladder.C / 10};
            ladder.RL = 1e6;
            made.push_back({name, {10, 0.3, 1e4, ladder}});
        }
        return made;
    }();
    return circuits;
}

ResponseWindow* window = nullptr;

void Show(benchmark::State& state, const ResponseInput& input) {
    for (auto _ : state) {
        window->ShowFor(input);
        benchmark::DoNotOptimize(window->StepPlot().Picture().constBits());
        benchmark::DoNotOptimize(window->BodePlot().Picture().constBits());
    }
    const QString periods = window->findChild<QLabel*>("StepSettlingPeriodsLabel")->text();
    state.SetLabel(("settles in " + periods + " periods").toStdString());
}

void Zoom(benchmark::State& state, const ResponseInput& input) {
    window->ShowFor(input);
    response_window::ResponsePlot& plot = window->StepPlot();
    for (auto _ : state) {
        state.PauseTiming();
        plot.ShowWhole();
        (void)plot.Picture();
        state.ResumeTiming();
        plot.ZoomAboutCentre(1 / plot::kZoomStep);
        benchmark::DoNotOptimize(plot.Picture().constBits());
    }
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Prints the usual report, then the fastest and median repetitions against the goal.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const double ms = run.real_accumulated_time / double(run.iterations) * 1e3;
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                min_[name] = median_[name] = ms;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                min_[name] = ms;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                median_[name] = ms;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nThe response window drawn, ms wall time (fastest / median repetition); "
                    "goal: median <= %.0f ms\n",
                    kGoalMs);
        for (const auto& [name, median] : median_)
            std::printf("%-32s %9.3f / %9.3f   %s\n", name.c_str(), min_[name], median,
                        median <= kGoalMs ? "met" : "MISSED");
    }

private:
    std::map<std::string, double> min_, median_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!InitializeBenchmarks(argc, argv))
        return 1;
    ResponseWindow shown;
    window = &shown;
    for (const Circuit& circuit : Circuits()) {
        using Timed = void (*)(benchmark::State&, const ResponseInput&);
        for (const auto& [kind, run] : {std::pair<const char*, Timed>{"Show/", Show},
                                        std::pair<const char*, Timed>{"Zoom/", Zoom}})
            benchmark::RegisterBenchmark((kind + std::string(circuit.name)).c_str(), run,
                                         circuit.input)
                ->ComputeStatistics("min", Fastest)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
