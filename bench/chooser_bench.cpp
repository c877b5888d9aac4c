// SPDX-License-Identifier: GPL-3.0-or-later
// The filter chooser's "Calcola", timed as a user runs it, offscreen:
//   Calcola/<design>     a click on "Calcola" in the chooser window: the two settings read and
//                        checked, the five candidates chosen, their table filled and the best
//                        row selected, the trade-off curves swept and the plot repainted
//                        (goal: <= 100 ms);
//   Candidates/<design>  the engine's five candidates alone (ChooseFilters);
//   Curves/<design>      the trade-off curves alone, five sweeps of C;
//   Draw/<design>        the plot's picture alone, drawn into an image of its size.
// The designs: "example", the worked example (10 V, 10 kHz, 10 kohm) at 10 bits, E12 at ±10 %
// and ±1 %; "hardest", the same with a load of 100 kohm at 24 bits, E96 at ±20 % and ±5 %, the
// most tolerance corners and series values to walk through. The figures are the fastest
// repetition (wall time), the least disturbed by other work on the machine; without
// --benchmark_repetitions five repetitions run.

#include "chooser_window/chooser_layout.h"
#include "chooser_window/chooser_window.h"
#include "chooser_window/filter_choice.h"
#include "chooser_window/trade_off.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "bench/bench_arguments.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using chooser_window::ChooserDesign;
using chooser_window::ChooserLimits;

struct BenchDesign {
    const char* name;
    ChooserDesign design;
    ChooserLimits limits;
    const char* bitsText;
};

const std::vector<BenchDesign>& Designs() {
    static const std::vector<BenchDesign> designs = {
        {"example", {10, 1e4, 1e4, std::nullopt, engine::Series::E12, {0.1, 0.01}}, {10, 0.05}, "10"},
        {"hardest", {10, 1e4, 1e4, 1e5, engine::Series::E96, {0.2, 0.05}}, {24, 0.05}, "24"},
    };
    return designs;
}

constexpr double kGoalSeconds = 0.1;

// The chooser window, shown offscreen, over one design; a message box would mean the settings
// are refused, and the click is then no "Calcola" at all.
void Calcola(benchmark::State& state, const BenchDesign& bench) {
    chooser_window::ChooserWindow window([](const chooser_window::ChosenFilter&) {});
    window.show();
    window.findChild<QLineEdit*>("ChooserBitsField")->setText(QString::fromLatin1(bench.bitsText));
    window.findChild<QLineEdit*>("ChooserTimeField")->setText(QStringLiteral("50"));
    if (!window.ChooseFor(bench.design)) {
        state.SkipWithError("the settings were refused");
        return;
    }
    auto* compute = window.findChild<QPushButton*>("ChooserComputeButton");
    for (auto _ : state) {
        compute->click();
        window.Plot().repaint();
    }
}

void Candidates(benchmark::State& state, const BenchDesign& bench) {
    for (auto _ : state) {
        const std::vector<engine::FilterCandidate> candidates =
            engine::ChooseFilters(chooser_window::InputOf(bench.design, bench.limits.bits));
        benchmark::DoNotOptimize(candidates.data());
    }
}

void Curves(benchmark::State& state, const BenchDesign& bench) {
    const chooser_window::FilterChoice choice =
        chooser_window::ChooseFilter(bench.design, bench.limits);
    for (auto _ : state) {
        const chooser_window::TradeOffData data = chooser_window::TradeOffOf(choice);
        benchmark::DoNotOptimize(data.curves.data());
    }
}

// The plot's size in the window.
QSize PlotSize() {
    for (const app::ControlRow& row : chooser_window::kChooserRows)
        if (app::SameText(row.name, "TradeOffPlot"))
            return app::TwipsToPixels(row.rect).size();
    return {};
}

void Draw(benchmark::State& state, const BenchDesign& bench) {
    const chooser_window::TradeOffData data =
        chooser_window::TradeOffOf(chooser_window::ChooseFilter(bench.design, bench.limits));
    const QSize size = PlotSize();
    for (auto _ : state) {
        const QImage image = chooser_window::TradeOffImage(data, size);
        benchmark::DoNotOptimize(image.constBits());
    }
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

void RegisterAll() {
    for (const BenchDesign& bench : Designs())
        for (const auto& [kind, function] :
             {std::pair{"Calcola/", &Calcola}, std::pair{"Candidates/", &Candidates},
              std::pair{"Curves/", &Curves}, std::pair{"Draw/", &Draw}})
            benchmark::RegisterBenchmark((kind + std::string(bench.name)).c_str(), function, bench)
                ->ComputeStatistics("min", Fastest)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
}

// Prints the usual report, then each design's fastest "Calcola" against its goal and what it is
// made of.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
            if (!run.error_occurred && (single || fastest))
                seconds_[run.run_name.function_name] =
                    run.real_accumulated_time / double(run.iterations);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n\"Calcola\" in the filter chooser, ms wall time (fastest repetition)\n");
        std::printf("%-9s %9s %11s %9s %9s   %s\n", "design", "Calcola", "candidates", "curves",
                    "drawing", "goal");
        for (const BenchDesign& bench : Designs()) {
            const auto ms = [&](const char* kind) {
                const auto found = seconds_.find(kind + std::string(bench.name));
                return found == seconds_.end() ? -1.0 : found->second * 1e3;
            };
            const double calcola = ms("Calcola/");
            if (calcola < 0)
                continue;
            std::printf("%-9s %9.2f %11.2f %9.2f %9.2f   <= %.0f ms %s\n", bench.name, calcola,
                        ms("Candidates/"), ms("Curves/"), ms("Draw/"), kGoalSeconds * 1e3,
                        calcola <= kGoalSeconds * 1e3 ? "met" : "MISSED");
        }
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!InitializeBenchmarks(argc, argv))
        return 1;
    RegisterAll();
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
