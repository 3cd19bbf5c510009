#pragma once
// Shared by the benchmark programs: runs the registered benchmarks, keeps their rates, and prints
// each comparison of ours against a baseline as the lines that the benchmark script reports.
#include <map>
#include <string>

namespace mox::bench {

// Runs every registered benchmark (Google Benchmark's command-line flags apply) and returns the
// items per second of each, by benchmark name.
std::map<std::string, double> RunBenchmarks(int argc, char** argv);

// Prints what was compared, on how many items, both rates, and then the line
// "ratio: <what> = <ours / baseline>".
void PrintComparison(const std::string& what, long items, const std::string& ours, double ourRate,
                     const std::string& baseline, double baselineRate);

} // namespace mox::bench
