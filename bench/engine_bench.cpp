// SPDX-License-Identifier: GPL-3.0-or-later
// The engine against the literal evaluation and against the bare chain of output samples.
//
// Each output sample needs the previous one through a multiply, a divide and a subtract, so a
// step can take no less than the latency of that chain. For each design three benchmarks run:
//   Chain/<design>    only that chain, as many steps as the engine executes for the design;
//   Engine/<design>   PlanRun and RunSimulation (with the statistics and the index it keeps);
//   Controlled/<design> the same with a stop flag and a progress counter, as the windows run it
//                     (goal: <= 1 % more than Engine);
//   Literal/<design>  every period and every sample evaluated as written (tests/);
//   Unreported/<design> the same run as the engine's without the report of where it became
//                     periodic, to show what that report costs (goal: <= 1 % of the default run).
// plus WritePeriod/<design>, the one period the engine writes in full, against a chain of N
// steps. After the runs a table gives the time per step and the ratios, with the goals:
//   engine step <= 1.15 chain step; engine <= 0.35 literal when the design settles within NI,
//   <= 0.8 when it does not.
// The exact run of the filter circuits (exact_simulation.h) is measured as whole runs against the
// literal first-order run of the same N and NI:
//   ExactFilter/<design>  PlanExactRun and RunExactSimulation of a two-stage ladder with a load
//                         (the 2×2 step), with its statistics and index;
//   ExactRc/<design>      the same for one RC with a load;
//   LiteralStats/<design> the literal run and its statistics (tests/), for N 40000000;
// with the goals: at N 40000000, NI 1, exact <= 1.25 literal; at N 100000, NI 2000 (against
// Literal/N100000), exact <= 0.02 literal. Two more have goals of their own:
//   Chooser/<bits>        the five candidates of the filter chooser, E96 at ±20 % and ±5 %, with
//                         a load (goal: <= 100 ms);
//   StepColumns/<periods> the lowest and highest output of the step response in each of 1000
//                         pixel columns spanning that many periods (goal: <= 50 ms).
// And without a goal, CalculateC/<ΔVo>: the exact C and the safe pair of two stages with a load, as
// "Calcola C" finds them, for a ripple of 1 mV and of 10^−12 mV (R·C·f about 30 and 10^7).
// The figures are the fastest repetition (CPU time), the least disturbed by other work on the
// machine; without --benchmark_repetitions five repetitions run.

#include "engine/exact_simulation.h"
#include "engine/filter_chooser.h"
#include "engine/period.h"
#include "engine/period_repeats.h"
#include "engine/run_control.h"
#include "engine/simulation.h"
#include "engine/step_response.h"
#include "tests/reference_simulation.h"

#include "bench/bench_arguments.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using DesignState = test_state::SimulatedState;

engine::RunSettings SettingsOf(const DesignState& s) {
    return {s.E, s.D, s.f, s.R, s.C, s.N, s.NI};
}

struct BenchDesign {
    const char* name;
    DesignState state;
    double goal; // engine time over literal time
};

DesignState Design(double c, std::int32_t n) {
    DesignState s;
    s.E = 10;
    s.D = 0.5;
    s.f = 10'000;
    s.R = 10'000;
    s.C = c;
    s.N = n;
    s.NI = 2000;
    return s;
}

const std::vector<BenchDesign>& Designs() {
    static const std::vector<BenchDesign> designs = {
        {"default", Design(250e-9, 1000), 0.35},
        {"N100000", Design(250e-9, 100'000), 0.35},
        {"unsettled", Design(1e-6, 1000), 0.8}, // R·C = 100 periods: far from settled at NI
    };
    return designs;
}

engine::PeriodPlan PlanOf(const DesignState& s) {
    return engine::MakePeriodPlan(SettingsOf(s), *engine::FindSwitchingSamples(s.N, s.D));
}

// Steps of the period written in full: the on-phase and the off-phase.
std::int64_t WrittenSteps(const engine::PeriodPlan& p) {
    return p.k + std::max<std::int64_t>(0, std::int64_t{p.n} - p.k1 + 1);
}

// Steps RunSimulation executes: the periods it computes to their end value, then the last one.
std::int64_t EngineSteps(const DesignState& s) {
    const engine::PeriodPlan plan = PlanOf(s);
    const auto endOfPeriod = [&plan](double v) { return engine::EndValue(plan, v); };
    const auto skipped = engine::Advance(endOfPeriod, 0.0, std::int64_t{s.NI} - 1);
    return skipped.periodsRun * engine::EndValueSteps(plan) + WrittenSteps(plan);
}

std::int64_t LiteralSteps(const DesignState& s) { return std::int64_t{s.N} * s.NI; }

void SetSteps(benchmark::State& state, std::int64_t steps) {
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["time/step"] = benchmark::Counter(static_cast<double>(steps),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// The bare chain: the off-phase step, the output kept in a register, nothing stored. It decays
// towards 0 but stays far from the subnormal range, which would slow it down, for these designs.
void Chain(benchmark::State& state, const DesignState& s, std::int64_t steps) {
    const double dt = (1 / s.f) / s.N;
    const double cr = s.C * s.R;
    for (auto _ : state) {
        double vo = s.E;
        for (std::int64_t step = 0; step < steps; ++step)
            vo = vo - (dt * vo) / cr;
        // The read-only form: the read-write one lets GCC 12 start the next iteration from
        // this one's result.
        benchmark::DoNotOptimize(std::as_const(vo));
        if (!std::isnormal(vo))
            state.SkipWithError("the chain reached the subnormal range");
    }
    SetSteps(state, steps);
}

void Engine(benchmark::State& state, const DesignState& s, bool controlled) {
    for (auto _ : state) {
        engine::RunControl control;
        const auto plan = std::get<engine::RunPlan>(engine::PlanRun(SettingsOf(s)));
        const engine::RunAnswer answer =
            engine::RunSimulation(plan, controlled ? &control : nullptr);
        benchmark::DoNotOptimize(answer.run->Vo.data());
    }
    SetSteps(state, EngineSteps(s));
}

// RunSimulation's own steps but the periodicity report: the arrays, the walk to the last period
// and the period written in full.
void Unreported(benchmark::State& state, const DesignState& s) {
    const engine::PeriodPlan plan = PlanOf(s);
    const auto endOfPeriod = [&plan](double v) { return engine::EndValue(plan, v); };
    for (auto _ : state) {
        DesignState run = s;
        run.Vo.assign(std::size_t(run.N) + 2, 0.0);
        run.Vi.assign(std::size_t(run.N) + 2, 0.0);
        run.iC.assign(std::size_t(run.N) + 2, 0.0);
        const double start = engine::Advance(endOfPeriod, 0.0, std::int64_t{s.NI} - 1).value;
        engine::WritePeriod(plan, start, {run.Vi.data(), run.Vo.data(), run.iC.data()});
        benchmark::DoNotOptimize(run.Vo.data());
    }
    SetSteps(state, EngineSteps(s));
}

void Literal(benchmark::State& state, const DesignState& s) {
    for (auto _ : state) {
        DesignState run = s;
        reference::RunSimulation(run);
        benchmark::DoNotOptimize(run.Vo.data());
    }
    SetSteps(state, LiteralSteps(s));
}

void WritePeriod(benchmark::State& state, const DesignState& s) {
    const engine::PeriodPlan plan = PlanOf(s);
    std::vector<double> vi(s.N + 2), vo(s.N + 2), ic(s.N + 2);
    for (auto _ : state) {
        engine::WritePeriod(plan, 4.95, {vi.data(), vo.data(), ic.data()});
        benchmark::ClobberMemory();
    }
    SetSteps(state, WrittenSteps(plan));
}

// The exact filter runs and the literal run each is measured against.
struct ExactDesign {
    const char* name;
    DesignState state;   // E, D, f, N, NI; R and C of the literal run
    const char* literal; // the benchmark it is compared with
    double goal;         // exact time over literal time, whole runs
};

const std::vector<ExactDesign>& ExactDesigns() {
    static const std::vector<ExactDesign> designs = [] {
        DesignState widest = Design(250e-9, engine::kMaxSamplesPerPeriod);
        widest.NI = 1;
        return std::vector<ExactDesign>{
            {"N40000000", widest, "LiteralStats/N40000000", 1.25},
            {"N100000", Design(250e-9, 100'000), "Literal/N100000", 0.02}};
    }();
    return designs;
}

engine::ExactRunSettings ExactSettings(const DesignState& s, bool second) {
    engine::FilterCircuit circuit{s.R, s.C, std::nullopt, 10 * s.R};
    if (second)
        circuit.second = engine::SecondStage{10 * s.R, s.C / 10};
    return {s.E, s.D, s.f, s.N, s.NI, circuit};
}

void Exact(benchmark::State& state, const DesignState& s, bool second) {
    for (auto _ : state) {
        const auto plan =
            std::get<engine::ExactRunPlan>(engine::PlanExactRun(ExactSettings(s, second)));
        const engine::RunAnswer answer = engine::RunExactSimulation(plan);
        benchmark::DoNotOptimize(answer.run->Vo.data());
    }
    SetSteps(state, s.N);
}

void LiteralWithStatistics(benchmark::State& state, const DesignState& s) {
    for (auto _ : state) {
        DesignState run = s;
        reference::RunSimulation(run);
        reference::ComputeStatistics(run);
        benchmark::DoNotOptimize(run.VomVera);
    }
    SetSteps(state, LiteralSteps(s));
}

// The chooser's "Calcola" for n bits.
void Chooser(benchmark::State& state, int bits) {
    const engine::ChooserInput input{bits,       5, 10'000, 10'000, 1e5, engine::Series::E96,
                                     {0.2, 0.05}};
    for (auto _ : state) {
        const std::vector<engine::FilterCandidate> candidates = engine::ChooseFilters(input);
        benchmark::DoNotOptimize(candidates.data());
    }
}

// "Calcola C" for two stages, k 10, with a load: the exact C and the safe pair.
void CalculateC(benchmark::State& state, double deltaVo) {
    const engine::FilterShape shape{10'000, 10.0, 1000.0};
    for (auto _ : state) {
        const auto exact = engine::ExactCapacitanceOf(shape, 10, 0.5, 1e4, deltaVo);
        const auto pair =
            engine::SafePairOf(shape, 10, 0.5, 1e4, deltaVo, engine::Series::E12, {0.1, 0.01});
        benchmark::DoNotOptimize(exact);
        benchmark::DoNotOptimize(pair);
    }
}

// A plot of the step response 1000 columns wide over `periods` periods of a two-stage ladder
// that takes about 4000 periods to settle.
void StepColumns(benchmark::State& state, double periods) {
    const engine::FilterCircuit circuit{10'000, 1e-5, engine::SecondStage{1e5, 1e-6}, std::nullopt};
    const engine::StepResponse response = *engine::StepResponse::Of(circuit, 5, 0, 0.5, 1000);
    constexpr int kColumns = 1000;
    const double width = periods * response.Period() / kColumns;
    for (auto _ : state) {
        double sum = 0;
        for (int column = 0; column < kColumns; ++column) {
            const engine::StepResponse::Range range =
                response.Over(column * width, (column + 1) * width);
            sum += range.high - range.low;
        }
        benchmark::DoNotOptimize(sum);
    }
}

struct GoalBenchmark {
    const char* name;
    double goalSeconds;
};

const std::vector<GoalBenchmark>& GoalBenchmarks() {
    static const std::vector<GoalBenchmark> goals = {{"Chooser/24bits", 0.1},
                                                     {"Chooser/8bits", 0.1},
                                                     {"StepColumns/1e7periods", 0.05},
                                                     {"StepColumns/1000periods", 0.05}};
    return goals;
}

double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

void RegisterAll() {
    for (const BenchDesign& d : Designs()) {
        const std::string name = d.name;
        const DesignState& s = d.state;
        const auto fastest = [](benchmark::internal::Benchmark* b) {
            b->ComputeStatistics("min", Fastest)->Unit(benchmark::kMillisecond);
        };
        fastest(benchmark::RegisterBenchmark(("Chain/" + name).c_str(), Chain, s, EngineSteps(s)));
        fastest(benchmark::RegisterBenchmark(("Engine/" + name).c_str(), Engine, s, false));
        fastest(benchmark::RegisterBenchmark(("Controlled/" + name).c_str(), Engine, s, true));
        fastest(benchmark::RegisterBenchmark(("Literal/" + name).c_str(), Literal, s));
        fastest(benchmark::RegisterBenchmark(("Unreported/" + name).c_str(), Unreported, s));
        fastest(benchmark::RegisterBenchmark(("WriteChain/" + name).c_str(), Chain, s,
                                             WrittenSteps(PlanOf(s))));
        fastest(benchmark::RegisterBenchmark(("WritePeriod/" + name).c_str(), WritePeriod, s));
    }
    for (const ExactDesign& d : ExactDesigns()) {
        const std::string name = d.name;
        const auto fastest = [](benchmark::internal::Benchmark* b) {
            b->ComputeStatistics("min", Fastest)->Unit(benchmark::kMillisecond);
        };
        fastest(
            benchmark::RegisterBenchmark(("ExactFilter/" + name).c_str(), Exact, d.state, true));
        fastest(benchmark::RegisterBenchmark(("ExactRc/" + name).c_str(), Exact, d.state, false));
        if (d.state.NI == 1)
            fastest(benchmark::RegisterBenchmark(("LiteralStats/" + name).c_str(),
                                                 LiteralWithStatistics, d.state));
    }
    const auto fastest = [](benchmark::internal::Benchmark* b) {
        b->ComputeStatistics("min", Fastest)->Unit(benchmark::kMillisecond);
    };
    fastest(benchmark::RegisterBenchmark("Chooser/24bits", Chooser, 24));
    fastest(benchmark::RegisterBenchmark("Chooser/8bits", Chooser, 8));
    fastest(benchmark::RegisterBenchmark("CalculateC/1mV", CalculateC, 1e-3));
    fastest(benchmark::RegisterBenchmark("CalculateC/1e-12mV", CalculateC, 1e-15));
    fastest(benchmark::RegisterBenchmark("StepColumns/1e7periods", StepColumns, 1e7));
    fastest(benchmark::RegisterBenchmark("StepColumns/1000periods", StepColumns, 1000.0));
}

// Prints the usual report, then the table of ratios from the fastest repetition of each
// benchmark (or its only run).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
            if (run.error_occurred || !(single || fastest))
                continue;
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            runSeconds_[run.run_name.function_name] = seconds;
            const auto steps = run.counters.find("steps");
            if (steps == run.counters.end())
                continue;
            perStepNs_[run.run_name.function_name] = seconds / steps->second.value * 1e9;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nns per executed step (fastest repetition)       ratios (goal)\n");
        std::printf("%-10s %8s %8s %8s   %-15s %-15s %-15s\n", "design", "chain", "engine",
                    "literal", "engine/chain", "write/chain", "engine/literal");
        for (const BenchDesign& d : Designs())
            PrintRow(d);
        std::printf("engine/literal compares whole runs; write/chain is the period written in "
                    "full.\n");
        std::printf(
            "\nThe stop flag and the progress counter, controlled/engine - 1 (goal: <= 1 %%)\n");
        for (const BenchDesign& d : Designs()) {
            const std::string name = d.name;
            const double cost = Find("Controlled/" + name) / Find("Engine/" + name) - 1;
            if (!std::isnan(cost))
                std::printf("%-10s %+7.2f %%  %s\n", d.name, 100 * cost,
                            cost <= 0.01 ? "met" : "MISSED");
        }
        std::printf("\nThe report of where the run became periodic, engine/unreported - 1 "
                    "(goal: default <= 1 %%)\n");
        for (const BenchDesign& d : Designs()) {
            const double cost =
                Find("Engine/" + std::string(d.name)) / Find("Unreported/" + std::string(d.name)) -
                1;
            if (!std::isnan(cost))
                std::printf("%-10s %+7.2f %%%s\n", d.name, 100 * cost,
                            d.name == std::string("default") ? (cost <= 0.01 ? "  met" : "  MISSED")
                                                             : "");
        }
        std::printf("\nThe exact filter run against the literal first-order run, whole runs "
                    "(fastest repetition)\n");
        std::printf("%-10s %-8s %11s %11s   %-15s\n", "design", "circuit", "exact ms", "literal ms",
                    "exact/literal (goal)");
        for (const ExactDesign& d : ExactDesigns())
            for (const char* circuit : {"ExactFilter", "ExactRc"}) {
                const double exact = FindSeconds(circuit + std::string("/") + d.name);
                const double literal = FindSeconds(d.literal);
                if (std::isnan(exact + literal))
                    continue;
                std::printf("%-10s %-8s %11.2f %11.2f   %-15s %s\n", d.name,
                            circuit == std::string("ExactFilter") ? "2nd+RL" : "1st+RL",
                            exact * 1e3, literal * 1e3, Ratio(exact / literal, d.goal).c_str(),
                            exact / literal <= d.goal ? "met" : "MISSED");
            }
        std::printf(
            "\nThe filter chooser and the step response's plot columns (fastest repetition)\n");
        for (const GoalBenchmark& goal : GoalBenchmarks()) {
            const double seconds = FindSeconds(goal.name);
            if (!std::isnan(seconds))
                std::printf("%-24s %9.3f ms  (goal <= %.0f ms)  %s\n", goal.name, seconds * 1e3,
                            goal.goalSeconds * 1e3, seconds <= goal.goalSeconds ? "met" : "MISSED");
        }
    }

private:
    double FindSeconds(const std::string& name) const {
        const auto found = runSeconds_.find(name);
        return found == runSeconds_.end() ? std::nan("") : found->second;
    }

    double Find(const std::string& name) const {
        const auto found = perStepNs_.find(name);
        return found == perStepNs_.end() ? std::nan("") : found->second;
    }

    void PrintRow(const BenchDesign& d) const {
        const std::string name = d.name;
        const double chain = Find("Chain/" + name), engine = Find("Engine/" + name);
        const double literal = Find("Literal/" + name);
        const double written = Find("WritePeriod/" + name) / Find("WriteChain/" + name);
        if (std::isnan(chain + engine + literal + written))
            return; // filtered out
        const double wholeRun = engine * static_cast<double>(EngineSteps(d.state)) /
                                (literal * static_cast<double>(LiteralSteps(d.state)));
        const bool met = engine / chain <= 1.15 && written <= 1.15 && wholeRun <= d.goal;
        std::printf("%-10s %8.3f %8.3f %8.3f   %-15s %-15s %-15s %s\n", d.name, chain, engine,
                    literal, Ratio(engine / chain, 1.15).c_str(), Ratio(written, 1.15).c_str(),
                    Ratio(wholeRun, d.goal).c_str(), met ? "met" : "MISSED");
    }

    static std::string Ratio(double value, double goal) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f (%.2f)", value, goal);
        return text;
    }

    std::map<std::string, double> perStepNs_;
    std::map<std::string, double> runSeconds_;
};

} // namespace

int main(int argc, char** argv) {
    if (!InitializeBenchmarks(argc, argv))
        return 1;
    RegisterAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
