// Money to words against ICU's rule-based spell-out, on the same amounts: our full conversion with
// the currency words against ICU spelling the whole part and the hundredths.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>
#include <vector>

#include "lib/moxMoney.h"

namespace {

constexpr int AmountCount = 1000;

// Amounts of every size from cents to a thousand billions, the same on every run.
const std::vector<Int64>& Amounts() {
    static const std::vector<Int64> amounts = [] {
        std::vector<Int64> result;
        result.reserve(AmountCount);
        UInt64 state = 0x9E3779B97F4A7C15ull;
        for (int i = 0; i < AmountCount; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const int digits = int((state >> 59) % 13) + 1; // 1 to 13 digits before the point
            UInt64 limit = 1;
            for (int d = 0; d < digits; ++d)
                limit *= 10;
            const UInt64 whole = (state >> 11) % limit;
            const UInt64 cents = (state >> 3) % 100;
            result.push_back(Int64(whole * 10000 + cents * 100));
        }
        return result;
    }();
    return amounts;
}

void MoneyToWords(benchmark::State& state) {
    TmoxMoneyString ms;
    const std::vector<Int64>& amounts = Amounts();
    for (auto _ : state) {
        for (Int64 raw : amounts) {
            String text = ms.MoneyToString(Currency::FromRaw(raw));
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * AmountCount);
}
BENCHMARK(MoneyToWords);

std::unique_ptr<icu::RuleBasedNumberFormat> IcuSpellOut() {
    UErrorCode status = U_ZERO_ERROR;
    auto format =
        std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT, icu::Locale::getEnglish(), status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ICU spell-out is not available: %s\n", u_errorName(status));
        std::exit(1);
    }
    return format;
}

void IcuSpellOutBench(benchmark::State& state) {
    const auto format = IcuSpellOut();
    const std::vector<Int64>& amounts = Amounts();
    for (auto _ : state) {
        for (Int64 raw : amounts) {
            icu::UnicodeString whole, hundredths;
            format->format(int64_t(raw / 10000), whole);
            format->format(int64_t(raw % 10000 / 100), hundredths);
            benchmark::DoNotOptimize(whole);
            benchmark::DoNotOptimize(hundredths);
        }
    }
    state.SetItemsProcessed(state.iterations() * AmountCount);
}
BENCHMARK(IcuSpellOutBench)->Name("IcuSpellOut");

// Keeps the console output and remembers each benchmark's rate.
class RateReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> rates;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto it = run.counters.find("items_per_second");
            if (it != run.counters.end()) rates[run.benchmark_name()] = it->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double ours = reporter.rates["MoneyToWords"], theirs = reporter.rates["IcuSpellOut"];
    if (ours <= 0 || theirs <= 0) return 0; // a filter left one side out: no comparison
    TmoxMoneyString ms;
    std::string icuSample;
    const auto format = IcuSpellOut();
    icu::UnicodeString whole, hundredths;
    format->format(int64_t(1234567), whole);
    format->format(int64_t(89), hundredths);
    (whole + " / " + hundredths).toUTF8String(icuSample);
    std::printf("compared: money to words (whole part, hundredths and currency words) vs ICU rule-based "
                "spell-out, English (whole part and hundredths), on %d amounts from cents to 10^13\n",
                AmountCount);
    std::printf("sample 1234567.89: ours \"%s\"; ICU \"%s\"\n",
                ms.MoneyToString(1234567.89).toStdString().c_str(), icuSample.c_str());
    std::printf("money to words: %.0f amounts/s\n", ours);
    std::printf("ICU spell-out: %.0f amounts/s\n", theirs);
    std::printf("ratio: money to words vs ICU spell-out = %.2f\n", ours / theirs);
    return 0;
}
