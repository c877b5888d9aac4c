// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line of a benchmark program: Google Benchmark's own options, with five
// repetitions unless the caller asks for another number.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

// Initialises Google Benchmark; false when an option was not understood.
inline bool InitializeBenchmarks(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=5";
    std::vector<char*> args(argv, argv + argc);
    if (std::none_of(args.begin(), args.end(), [](const char* arg) {
            return std::strncmp(arg, "--benchmark_repetitions", 23) == 0;
        }))
        args.push_back(repetitions);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}
