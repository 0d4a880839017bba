#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchText.h"
#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "engine/NotationTable.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// Prose is 1 MB of the benchmarks' English prose as UTF-8 lines.
const std::string& Prose() {
  static const std::string kText = Utf16ToUtf8(JoinLines(BenchLines(kMegabyte), u"\n"));
  return kText;
}

// BM_Style runs lexipulse-cli in process over the prose with the given options.
void BM_Style(benchmark::State& state, std::vector<std::string> args) {
  args.push_back("--quiet");
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::istringstream in(Prose());
    std::ostringstream out;
    std::ostringstream err;
    if (RunConsole(args, in, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      return;
    }
    bytes += out.str().size();
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["seconds_per_MB"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(Prose().size()) / kMegabyte,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Measured repeats each style, the repetitions of all styles interleaved (main turns that on),
// and keeps the fastest repetition: on a shared machine the least disturbed run is the one
// that compares.
void Measured(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)
      ->Repetitions(9)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
      });
}

BENCHMARK_CAPTURE(BM_Style, classic, std::vector<std::string>{})->Apply(Measured);
BENCHMARK_CAPTURE(BM_Style, accents, std::vector<std::string>{"--style=accents"})->Apply(Measured);
BENCHMARK_CAPTURE(BM_Style, html, std::vector<std::string>{"--style=html"})->Apply(Measured);
BENCHMARK_CAPTURE(BM_Style, classic_secondary, std::vector<std::string>{"--secondary=all"})
    ->Apply(Measured);
BENCHMARK_CAPTURE(BM_Style, accents_secondary_british,
                  std::vector<std::string>{"--style=accents", "--secondary", "--variant=british"})
    ->Apply(Measured);

// TStyleReporter prints the console report and keeps each run's time per MB for the ratios.
class TStyleReporter : public benchmark::ConsoleReporter {
 public:
  TStyleReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const auto& run : reports) {
      const auto found = run.counters.find("seconds_per_MB");
      if (found != run.counters.end() && run.aggregate_name == "min") {
        const std::string name = run.benchmark_name();
        _SecondsPerMb[name.substr(0, name.find("/repeats"))] = found->second.value;
      }
    }
    ConsoleReporter::ReportRuns(reports);
  }

  double SecondsPerMb(const std::string& name) const {
    const auto found = _SecondsPerMb.find(name);
    return found == _SecondsPerMb.end() ? 0 : found->second;
  }

 private:
  std::map<std::string, double> _SecondsPerMb;
};

}  // namespace
}  // namespace lexipulse

int main(int argc, char** argv) {
  // The styles take turns, so a slow spell of the machine falls on all of them alike.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  lexipulse::LoadDictionary();
  // The tables are read once per process, at their first use; that cost is shown on its own.
  const auto started = std::chrono::steady_clock::now();
  const std::size_t lines =
      lexipulse::StressLevelsTable().Size() + lexipulse::BritishTable().Size();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
  lexipulse::TStyleReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf(
      "\n1 MB prose: %zu bytes; stress-levels and British tables: %zu lines read in %.1f ms\n",
      lexipulse::Prose().size(), lines, took.count());
  std::printf("Fastest of 9 interleaved repetitions per style:\n");
  const double classic = reporter.SecondsPerMb("BM_Style/classic");
  for (const char* style : {"accents", "html", "classic_secondary", "accents_secondary_british"}) {
    const double time = reporter.SecondsPerMb(std::string("BM_Style/") + style);
    if (classic > 0 && time > 0) {
      std::printf("Time of %s against classic: %.3f\n", style, time / classic);
    }
  }
  benchmark::Shutdown();
  return 0;
}
