#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchText.h"
#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"
#include "tests/support/WordCorpus.h"

namespace lexipulse {
namespace {

std::string Repeat(const std::string& piece, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes) {
    text += piece;
  }
  text.resize(bytes);
  return text;
}

// RunHostile stresses an input of state.range(0) bytes made by make, in process, and lets
// Google Benchmark fit the time against the size: a linear input shows O(N) with a small RMS.
void RunHostile(benchmark::State& state, const std::function<std::string(std::size_t)>& make) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  const std::string input = make(bytes);
  for (auto _ : state) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    if (RunConsole({}, in, out, err) != 0) {
      state.SkipWithError("the console front end failed");
      break;
    }
    benchmark::DoNotOptimize(out.str().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.SetComplexityN(state.range(0));
}

void BM_LongLine(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return Repeat("Photographs developed quickly, ", n); });
}
void BM_LongWord(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return Repeat("Photograph", n); });
}
void BM_LongWordOfOneLetter(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return std::string(n, 'a'); });
}
void BM_LongWordOfRandomLetters(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string word(n, 'a');
    for (char& c : word) {
      c = static_cast<char>(letter(random));
    }
    return word;
  });
}
void BM_QuotationMarks(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return std::string(n, '"'); });
}
void BM_Spaces(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return std::string(n, ' '); });
}
void BM_LineFeeds(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return std::string(n, '\n'); });
}
void BM_ShortLines(benchmark::State& state) {
  RunHostile(state, [](std::size_t n) { return Repeat("Word\r\n", n); });
}

constexpr std::size_t kMegabyte = 1 << 20;

// Seconds per run of 1 MB of prose, measured first, so that the vowel-heavy words can report
// their cost as a ratio from the same run.
double proseSeconds = 0;

double SecondsPerRun(benchmark::State& state, const std::string& input) {
  const auto start = std::chrono::steady_clock::now();
  RunHostile(state, [&input](std::size_t) { return input; });
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  return spent.count() /
         static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
}

void BM_Prose(benchmark::State& state) {
  static const std::string kProse = Utf16ToUtf8(JoinLines(BenchLines(kMegabyte), u"\r\n"));
  proseSeconds = SecondsPerRun(state, kProse);
}

// VowelHeavyText is 1 MB of random words of 5 to 64 letters, two thirds of them vowels, in
// lines of about 80 characters: words on which the rule patterns backtrack most, none repeated.
std::string VowelHeavyText() {
  TCorpusRandom random(64);
  std::string text;
  std::size_t lineLength = 0;
  while (text.size() < kMegabyte) {
    const std::string word = Utf16ToUtf8(VowelHeavyWord(random, 5 + random.Below(60)));
    text += word;
    lineLength += word.size() + 1;
    text += lineLength > 80 ? "\n" : " ";
    if (lineLength > 80) lineLength = 0;
  }
  return text;
}

void BM_VowelHeavyWords(benchmark::State& state) {
  static const std::string kWords = VowelHeavyText();
  const double seconds = SecondsPerRun(state, kWords);
  if (proseSeconds > 0) state.counters["x_prose"] = seconds / proseSeconds;
}

BENCHMARK(BM_Prose)->Arg(kMegabyte)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_VowelHeavyWords)
    ->Arg(kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
BENCHMARK(BM_LongLine)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity(benchmark::oN);
// A word of letters alone makes the rule patterns backtrack, so these sizes stay small: the
// fit (BigO) shows how the cost grows. Repeated "Photograph" cut mid-word matches no rule early.
BENCHMARK(BM_LongWord)->Arg(1003)->Arg(2003)->Arg(4003)->Arg(8003)->Complexity();
BENCHMARK(BM_LongWordOfOneLetter)->Arg(250)->Arg(500)->Arg(1000)->Complexity();
BENCHMARK(BM_LongWordOfRandomLetters)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Complexity();
BENCHMARK(BM_QuotationMarks)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_Spaces)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity(benchmark::oN);
BENCHMARK(BM_LineFeeds)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity(benchmark::oN);
BENCHMARK(BM_ShortLines)->RangeMultiplier(4)->Range(1 << 14, 1 << 20)->Complexity(benchmark::oN);

}  // namespace
}  // namespace lexipulse

int main(int argc, char** argv) {
  // The dictionary loads once, before any figure is taken.
  lexipulse::LoadDictionary();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
