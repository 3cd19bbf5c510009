#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace mox::bench {

namespace {

// Reports as the console does, and keeps each run's items per second.
class KeepingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> rates;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const auto found = run.counters.find("items_per_second");
            if (found != run.counters.end()) rates[run.benchmark_name()] = found->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

std::map<std::string, double> RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.rates;
}

void PrintComparison(const std::string& what, long items, const std::string& ours, double ourRate,
                     const std::string& baseline, double baselineRate) {
    std::printf("compared: %s\n", what.c_str());
    std::printf("  items: %ld\n", items);
    std::printf("  %s: %.0f items/s\n", ours.c_str(), ourRate);
    std::printf("  %s: %.0f items/s\n", baseline.c_str(), baselineRate);
    std::printf("ratio: %s = %.3f\n", what.c_str(), baselineRate > 0 ? ourRate / baselineRate : 0.0);
}

} // namespace mox::bench
