#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchText.h"
#include "pattern/Utf.h"

extern char** environ;

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMegabyte = 1 << 20;

// TShape is how a bench file lays out its text.
enum class TShape { Lines, OneLineOfProse, OneLineOfSpaces };

// TBenchFile is the 1 MB bench text repeated to the given size in a temporary file, removed
// at exit: as it is, with its lines joined into one line, or as spaces only.
class TBenchFile {
 public:
  TBenchFile(std::size_t megabytes, TShape shape)
      : _Path(fs::temp_directory_path() /
              ("lexipulse-bench-cli-" + std::to_string(getpid()) + "-" + std::to_string(megabytes) +
               "-" + std::to_string(static_cast<int>(shape)) + ".txt")) {
    std::string text;
    if (shape == TShape::Lines) {
      text = Utf16ToUtf8(JoinLines(BenchLines(kMegabyte), u"\r\n")) + "\r\n";
    } else if (shape == TShape::OneLineOfProse) {
      text = Utf16ToUtf8(JoinLines(BenchLines(kMegabyte), u" ")) + " ";
    } else {
      text = std::string(kMegabyte, ' ');
    }
    std::ofstream file(_Path, std::ios::binary);
    for (std::size_t i = 0; i < megabytes; ++i) {
      file << text;
    }
    if (shape != TShape::Lines) {
      file << "\n";
    }
    _Bytes = text.size() * megabytes;
    _Words =
        static_cast<std::int64_t>(std::ranges::count(text, ' ') + std::ranges::count(text, '\n')) *
        static_cast<std::int64_t>(megabytes);
  }
  TBenchFile(const TBenchFile&) = delete;
  TBenchFile& operator=(const TBenchFile&) = delete;
  ~TBenchFile() { fs::remove(_Path); }

  const fs::path& Path() const { return _Path; }
  std::size_t Bytes() const { return _Bytes; }
  // Words counts the word items the pipeline visits: one per space, one per line.
  std::int64_t Words() const { return _Words; }

 private:
  fs::path _Path;
  std::size_t _Bytes = 0;
  std::int64_t _Words = 0;
};

const TBenchFile& BenchFile(std::size_t megabytes, TShape shape = TShape::Lines) {
  static std::map<std::pair<std::size_t, TShape>, TBenchFile> files;
  return files.try_emplace(std::pair(megabytes, shape), megabytes, shape).first->second;
}

// Spawn runs a program with its output to a file and returns the peak resident memory of the
// child in bytes, or -1 when it did not run cleanly.
long Spawn(std::vector<std::string> args, const fs::path& output) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    return -1;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return -1;
  }
  return usage.ru_maxrss * 1024L;
}

// RunCli runs the console front end on the file with -o into a temporary file and returns
// the peak resident memory of the child in bytes, or -1 when it did not run cleanly.
long RunCli(const fs::path& input, const fs::path& output,
            const std::vector<std::string>& options = {}) {
  std::vector<std::string> args = {LEXIPULSE_CLI_PATH};
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), {"-o", output.string(), input.string()});
  return Spawn(args, "/dev/null");
}

// MeasureRuns runs the console front end on the file once per iteration and sets the time per
// MB and the peak memory counters; it returns the peak in bytes, or -1 after a failed run.
long MeasureRuns(benchmark::State& state, const TBenchFile& input) {
  const fs::path output = input.Path().string() + ".out";
  long peak = 0;
  for (auto _ : state) {
    peak = RunCli(input.Path(), output);
    if (peak < 0) {
      state.SkipWithError("the console front end did not run cleanly");
      break;
    }
  }
  fs::remove(output);
  const double megabytes = static_cast<double>(input.Bytes()) / kMegabyte;
  state.counters["s/MB"] =
      benchmark::Counter(megabytes * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["peak_MB"] = static_cast<double>(peak) / kMegabyte;
  return peak;
}

// The whole program on the text: read, check, stress in blocks, write through -o. Time per
// MB and peak memory should not grow with the size.
void BM_CliDocument(benchmark::State& state) {
  const TBenchFile& input = BenchFile(static_cast<std::size_t>(state.range(0)));
  const long peak = MeasureRuns(state, input);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.Bytes()));
  state.counters["words/s"] = benchmark::Counter(
      static_cast<double>(input.Words() * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["peak/input"] = static_cast<double>(peak) / static_cast<double>(input.Bytes());
  state.counters["limit_MB"] = 64;
}
BENCHMARK(BM_CliDocument)->Arg(1)->Arg(100)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One line of 20 MB, of prose and of spaces: memory follows the longest line, and stays under 4
// bytes per byte of it plus 64 MB (limit_MB).
void BM_CliOneLongLine(benchmark::State& state) {
  const auto shape = static_cast<TShape>(state.range(0));
  const TBenchFile& input = BenchFile(20, shape);
  const long peak = MeasureRuns(state, input);
  state.SetLabel(shape == TShape::OneLineOfProse ? "prose" : "spaces");
  state.counters["peak/line_byte"] = static_cast<double>(peak) / static_cast<double>(input.Bytes());
  state.counters["limit_MB"] = 4 * static_cast<double>(input.Bytes()) / kMegabyte + 64;
}
BENCHMARK(BM_CliOneLongLine)
    ->Arg(static_cast<int>(TShape::OneLineOfProse))
    ->Arg(static_cast<int>(TShape::OneLineOfSpaces))
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The console front end on 20 MB of prose against wc -w on the same file, side by side in each
// iteration: x_wc is the console's wall time over wc's, for the order given (0 rules first, 1
// dictionary first).
void BM_CliAgainstWc(benchmark::State& state) {
  const bool dictionaryFirst = state.range(0) == 1;
  const TBenchFile& input = BenchFile(20);
  const fs::path output = input.Path().string() + ".out";
  const std::vector<std::string> options = dictionaryFirst
                                               ? std::vector<std::string>{"--prefer-dictionary"}
                                               : std::vector<std::string>{};
  double cliSeconds = 0;
  double wcSeconds = 0;
  for (auto _ : state) {
    const auto wcStart = std::chrono::steady_clock::now();
    if (Spawn({"wc", "-w", input.Path().string()}, output) < 0) {
      state.SkipWithError("wc -w did not run");
      break;
    }
    const auto cliStart = std::chrono::steady_clock::now();
    if (RunCli(input.Path(), output, options) < 0) {
      state.SkipWithError("the console front end did not run cleanly");
      break;
    }
    const auto end = std::chrono::steady_clock::now();
    wcSeconds += std::chrono::duration<double>(cliStart - wcStart).count();
    cliSeconds += std::chrono::duration<double>(end - cliStart).count();
  }
  fs::remove(output);
  state.SetLabel(dictionaryFirst ? "dictionary first, goal x_wc <= 12"
                                 : "rules first, goal x_wc <= 10");
  state.counters["x_wc"] = wcSeconds > 0 ? cliSeconds / wcSeconds : 0;
  state.counters["wc_s"] = wcSeconds / static_cast<double>(state.iterations());
  state.counters["cli_s"] = cliSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CliAgainstWc)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace lexipulse

BENCHMARK_MAIN();
