// Stress Text in the offscreen window against the pipeline behind a host that shows nothing,
// on the same text of about a megabyte; prints the ratio and fails when the window takes more
// than three times as long.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/QuietHost.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "app/uLexipulse.h"
#include "bench/BenchText.h"
#include "engine/Dictionary.h"

namespace lexipulse {
namespace {

constexpr std::size_t kTextSize = 1'000'000;
constexpr double kAllowedRatio = 3.0;
constexpr char kConsoleName[] = "BM_ConsolePipeline";
constexpr char kWindowName[] = "BM_WindowStressText";

const std::vector<std::u16string>& Lines() {
  static const std::vector<std::u16string> lines = BenchLines(kTextSize);
  return lines;
}

const std::u16string& Source() {
  static const std::u16string source = JoinLines(Lines(), u"\r\n");
  return source;
}

void BM_ConsolePipeline(benchmark::State& state) {
  const std::u16string& source = Source();
  for (auto _ : state) {
    TQuietHost host;
    benchmark::DoNotOptimize(StressSourceText(source, host));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size() * 2));
}

// The window with a clock on the event loop: a zero timer fires at every turn of the loop,
// so the longest gap between two of its shots is the longest the window left input waiting.
// A run's first gap starts when the click starts it, after the source box has been read, and
// its last one ends when the run returns, so the work before the first and after the last
// turn counts as well.
class TTimedWindow : public TfLexipulse {
 public:
  qint64 longestPauseMs = 0;

  TTimedWindow() {
    QObject::connect(&_Turns, &QTimer::timeout, [this] { Turn(); });
    _Turns.start(0);
  }

  void ClearResult() override {
    if (RunDepth() == 1) {
      _SinceLastTurn.start();
    }
    TfLexipulse::ClearResult();
  }

  void Click() {
    btnStressClick();
    Turn();
    _SinceLastTurn.invalidate();
  }

 private:
  void Turn() {
    if (_SinceLastTurn.isValid()) {
      longestPauseMs = std::max(longestPauseMs, _SinceLastTurn.elapsed());
      _SinceLastTurn.start();
    }
  }

  QTimer _Turns;
  QElapsedTimer _SinceLastTurn;
};

void BM_WindowStressText(benchmark::State& state) {
  TTimedWindow window;
  window.show();
  window.mSource->setPlainText(QString::fromStdU16String(Source()));
  QApplication::processEvents();
  for (auto _ : state) {
    window.Click();
  }
  state.counters["result_lines"] = window.mTarget->blockCount();
  state.counters["longest_pause_ms"] = static_cast<double>(window.longestPauseMs);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Source().size() * 2));
}

BENCHMARK(BM_ConsolePipeline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WindowStressText)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the console output and remembers the real time per iteration of each benchmark.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> realTimes;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      realTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace
}  // namespace lexipulse

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  lexipulse::LoadDictionary();
  int result = 0;
  {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::printf("Text: %zu lines, %zu UTF-16 code units\n", lexipulse::Lines().size(),
                lexipulse::Source().size());
    lexipulse::TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto console = reporter.realTimes.find(lexipulse::kConsoleName);
    const auto window = reporter.realTimes.find(lexipulse::kWindowName);
    if (console != reporter.realTimes.end() && window != reporter.realTimes.end()) {
      const double ratio = window->second / console->second;
      std::printf("Window / console time: %.2f (allowed %.1f)\n", ratio, lexipulse::kAllowedRatio);
      result = ratio <= lexipulse::kAllowedRatio ? 0 : 1;
    }
    benchmark::Shutdown();
  }
  lexipulse::FreeDictionary();
  return result;
}
