// Whole conversion commands on long inputs: every step must stay linear (the
// decimal rendering of values beyond 32 bits is GMP's).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "plinthar/conversion_commands.h"
#include "plinthar/converter_state.h"

namespace {

class SilentPlatform : public plinthar::Platform {
 public:
  void ShowWarning(const std::string& /*message*/, const std::string& /*title*/) override {}
};

std::string LeadingZeros(std::size_t length, const std::string& tail) {
  return std::string(length - tail.size(), '0') + tail;
}

std::string RepeatedTo(std::size_t length, const std::string& pattern) {
  std::string text;
  text.reserve(length);
  while (text.size() < length) {
    text.push_back(pattern[text.size() % pattern.size()]);
  }
  return text;
}

template <typename MakeInput>
void RunConvertHex(benchmark::State& bench, MakeInput makeInput) {
  SilentPlatform platform;
  plinthar::ConverterState state(platform);
  const std::string input = makeInput(static_cast<std::size_t>(bench.range(0)));
  for (auto _ : bench) {
    state.SetHexText(input);
    plinthar::ConvertHex(state);
    benchmark::DoNotOptimize(state.DecimalText().data());
  }
  bench.SetComplexityN(bench.range(0));
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) * bench.range(0));
}

template <typename MakeInput>
void RunConvertDecimal(benchmark::State& bench, MakeInput makeInput) {
  SilentPlatform platform;
  plinthar::ConverterState state(platform);
  const std::string input = makeInput(static_cast<std::size_t>(bench.range(0)));
  for (auto _ : bench) {
    state.SetDecimalText(input);
    plinthar::ConvertDecimal(state);
    benchmark::DoNotOptimize(state.HexText().data());
  }
  bench.SetComplexityN(bench.range(0));
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) * bench.range(0));
}

void ConvertHexLeadingZeros(benchmark::State& bench) {
  RunConvertHex(bench, [](std::size_t n) { return LeadingZeros(n, "C8"); });
}

void ConvertHexSkippedCharacters(benchmark::State& bench) {
  RunConvertHex(bench, [](std::size_t n) { return LeadingZeros(n, "") + "x"; });
}

void ConvertHexBeyondRange(benchmark::State& bench) {
  RunConvertHex(bench, [](std::size_t n) { return RepeatedTo(n, "9F3A6C1E"); });
}

void ConvertDecimalLeadingZeros(benchmark::State& bench) {
  RunConvertDecimal(bench, [](std::size_t n) { return LeadingZeros(n, "200"); });
}

void ConvertDecimalBlanks(benchmark::State& bench) {
  RunConvertDecimal(bench, [](std::size_t n) { return std::string(n - 3, ' ') + "200"; });
}

void ConvertDecimalRefusedBeyondRange(benchmark::State& bench) {
  RunConvertDecimal(bench, [](std::size_t n) { return RepeatedTo(n, "9876543210"); });
}

constexpr std::int64_t kShortest = 10;
constexpr std::int64_t kLongest = 1'000'000;

}  // namespace

BENCHMARK(ConvertHexLeadingZeros)->RangeMultiplier(10)->Range(kShortest, kLongest)->Complexity();
BENCHMARK(ConvertHexSkippedCharacters)
    ->RangeMultiplier(10)
    ->Range(kShortest, kLongest)
    ->Complexity();
BENCHMARK(ConvertHexBeyondRange)->RangeMultiplier(10)->Range(kShortest, kLongest)->Complexity();
BENCHMARK(ConvertDecimalLeadingZeros)
    ->RangeMultiplier(10)
    ->Range(kShortest, kLongest)
    ->Complexity();
BENCHMARK(ConvertDecimalBlanks)->RangeMultiplier(10)->Range(kShortest, kLongest)->Complexity();
BENCHMARK(ConvertDecimalRefusedBeyondRange)
    ->RangeMultiplier(10)
    ->Range(kShortest, kLongest)
    ->Complexity();

BENCHMARK_MAIN();
