#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/QuietHost.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "bench/BenchText.h"
#include "engine/Dictionary.h"

namespace lexipulse {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;
constexpr std::size_t kLiteralPrefix = 20 * 1024;

const std::vector<std::u16string>& Lines(std::size_t megabytes) {
  static std::map<std::size_t, std::vector<std::u16string>> texts;
  auto found = texts.find(megabytes);
  if (found == texts.end()) {
    found = texts.emplace(megabytes, BenchLines(megabytes * kMegabyte)).first;
  }
  return found->second;
}

const std::u16string& LinesText() {
  static const std::u16string kText = JoinLines(Lines(1), u"\r\n");
  return kText;
}

const std::u16string& ParagraphText(std::size_t megabytes) {
  static std::map<std::size_t, std::u16string> texts;
  auto found = texts.find(megabytes);
  if (found == texts.end()) {
    found = texts.emplace(megabytes, JoinLines(Lines(megabytes), u" ")).first;
  }
  return found->second;
}

// LiteralPrefix is the first lines of the 1 MB text, about 20 KB of it.
const std::u16string& LiteralPrefix() {
  static const std::u16string kText = [] {
    const std::u16string& whole = LinesText();
    const std::size_t cut = whole.rfind(u"\r\n", kLiteralPrefix);
    return whole.substr(0, cut);
  }();
  return kText;
}

void RunPipeline(benchmark::State& state, const std::u16string& text, TStressOptions options = {}) {
  TQuietHost host;  // shows nothing and never pulls the result, so only the pipeline is timed
  std::int64_t words = 0;
  for (auto _ : state) {
    words += StressSourceText(text, host, options);
  }
  state.counters["words_per_second"] =
      benchmark::Counter(static_cast<double>(words), benchmark::Counter::kIsRate);
  state.counters["seconds_per_MB"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(text.size()) / kMegabyte,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Lines(benchmark::State& state) { RunPipeline(state, LinesText()); }

void BM_OneParagraph(benchmark::State& state) {
  RunPipeline(state, ParagraphText(static_cast<std::size_t>(state.range(0))));
}

// The dictionary-first order with its heteronym decisions, and without them as it was before.
void BM_DictionaryFirstLines(benchmark::State& state) {
  RunPipeline(state, LinesText(), {.Order = TStressingOrder::DictionaryFirst});
}

void BM_DictionaryFirstWithoutHeteronymsLines(benchmark::State& state) {
  RunPipeline(state, LinesText(), {.Order = TStressingOrder::DictionaryFirst, .Heteronyms = false});
}

void BM_LiteralLines(benchmark::State& state) {
  RunPipeline(state, LiteralPrefix(), {.Literal = true});
}

BENCHMARK(BM_Lines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OneParagraph)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DictionaryFirstLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DictionaryFirstWithoutHeteronymsLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LiteralLines)->Unit(benchmark::kMillisecond)->Iterations(1);

// TRatioReporter prints the console report and keeps each run's counters for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so a saved report stays plain text.
  TRatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const auto& run : reports) {
      _Counters[run.benchmark_name()] = run.counters;
    }
    ConsoleReporter::ReportRuns(reports);
  }

  // Counter returns a counter of the first run whose name starts with prefix, or 0.
  double Counter(const std::string& prefix, const std::string& counter) const {
    for (const auto& [name, counters] : _Counters) {
      if (name.starts_with(prefix)) {
        const auto value = counters.find(counter);
        return value == counters.end() ? 0 : value->second.value;
      }
    }
    return 0;
  }

 private:
  std::map<std::string, benchmark::UserCounters> _Counters;
};

void PrintRatio(const char* what, double numerator, double denominator) {
  if (numerator > 0 && denominator > 0) {
    std::printf("%s: %.2f\n", what, numerator / denominator);
  }
}

}  // namespace
}  // namespace lexipulse

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  lexipulse::LoadDictionary();
  lexipulse::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf(
      "\nDictionary of %zu lines; 1 MB text in %zu lines, %zu code units; literal prefix %zu "
      "code units\n",
      lexipulse::Dictionary.size(), lexipulse::Lines(1).size(), lexipulse::LinesText().size(),
      lexipulse::LiteralPrefix().size());
  lexipulse::PrintRatio("Speed-up of the pipeline over literal mode (words per second)",
                        reporter.Counter("BM_Lines/", "words_per_second"),
                        reporter.Counter("BM_LiteralLines/", "words_per_second"));
  lexipulse::PrintRatio("One paragraph vs lines (words per second)",
                        reporter.Counter("BM_OneParagraph/1/", "words_per_second"),
                        reporter.Counter("BM_Lines/", "words_per_second"));
  lexipulse::PrintRatio("Time per MB, 4 MB paragraph vs 1 MB paragraph",
                        reporter.Counter("BM_OneParagraph/4/", "seconds_per_MB"),
                        reporter.Counter("BM_OneParagraph/1/", "seconds_per_MB"));
  lexipulse::PrintRatio(
      "Dictionary first with heteronyms vs without them (time per MB; at most 1.10)",
      reporter.Counter("BM_DictionaryFirstLines/", "seconds_per_MB"),
      reporter.Counter("BM_DictionaryFirstWithoutHeteronymsLines/", "seconds_per_MB"));
  benchmark::Shutdown();
  return 0;
}
