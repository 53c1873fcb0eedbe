// Nanoseconds per call of the trip-time logic. Settings are fixed so results do not depend on
// the machine's regional settings.
//
//   logic_benchmarks --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "logic/ClockTime.h"
#include "logic/Trip.h"

namespace {

using namespace quillfen;

void UseJapaneseSettings() { ClockSettings = {"h:mm:ss", ':', '.', "午前", "午後"}; }

void BM_TryParseInteger(benchmark::State& state) {
    const std::string texts[] = {"7", "  05", "-2147483648", "$1F", "12 "};
    std::size_t i = 0;
    for (auto _ : state) {
        std::int32_t value;
        benchmark::DoNotOptimize(TryParseInteger(texts[i++ % 5], value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_TryParseInteger);

void BM_ClockTimeToText(benchmark::State& state) {
    UseJapaneseSettings();
    if (state.range(0) == 1) ClockSettings.ClockFormat = "AMPM hh:mm:ss";
    TClockTime time = 0;
    TryMakeClockTime(13, 5, 9, 0, time);
    for (auto _ : state) {
        benchmark::DoNotOptimize(time);
        benchmark::DoNotOptimize(ClockTimeToText(time));
    }
}
BENCHMARK(BM_ClockTimeToText)->Arg(0)->Arg(1)->ArgNames({"twelveHour"});

void BM_TextToClockTime(benchmark::State& state) {
    UseJapaneseSettings();
    const std::string texts[] = {"23:59:59", " 7 : 05 ", "午後1:05:09", "12 PM"};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TextToClockTime(texts[i++ % 4]));
}
BENCHMARK(BM_TextToClockTime);

void BM_CalculateTrip(benchmark::State& state) {
    UseJapaneseSettings();
    const bool night = state.range(0) == 1;
    const std::array<std::string, 6> fields =
        night ? std::array<std::string, 6>{"23", "30", "00", "0", "15", "00"}
              : std::array<std::string, 6>{"9", "05", "00", "11", "20", "30"};
    for (auto _ : state) benchmark::DoNotOptimize(CalculateTrip(fields, night ? 1 : 0));
}
BENCHMARK(BM_CalculateTrip)->Arg(0)->Arg(1)->ArgNames({"night"});

}  // namespace

BENCHMARK_MAIN();
