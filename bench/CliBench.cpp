#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

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
              ("lexipulse-bench-cli-" + std::to_string(getpid()) + "-" +
               std::to_string(megabytes) + "-" + std::to_string(static_cast<int>(shape)) +
               ".txt")) {
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
  return files
      .try_emplace(std::pair(megabytes, shape), megabytes, shape)
      .first->second;
}

// RunCli runs the console front end on the file with -o into a temporary file and returns
// the peak resident memory of the child in bytes, or -1 when it did not run cleanly.
long RunCli(const fs::path& input, const fs::path& output) {
  std::string path = LEXIPULSE_CLI_PATH;
  std::string option = "-o";
  std::string out = output.string();
  std::string in = input.string();
  char* argv[] = {path.data(), option.data(), out.data(), in.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
    return -1;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return -1;
  }
  return usage.ru_maxrss * 1024L;
}

// The whole program on the text: read, check, stress in blocks, write through -o. Time per
// MB and bytes of peak memory per input byte should not grow with the size.
void BM_CliDocument(benchmark::State& state) {
  const TBenchFile& input = BenchFile(static_cast<std::size_t>(state.range(0)));
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
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.Bytes()));
  state.counters["words/s"] = benchmark::Counter(
      static_cast<double>(input.Words() * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["s/MB"] =
      benchmark::Counter(megabytes * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["peak_MB"] = static_cast<double>(peak) / kMegabyte;
  state.counters["peak/input"] = static_cast<double>(peak) / static_cast<double>(input.Bytes());
  state.counters["limit_MB"] = 64;
}
BENCHMARK(BM_CliDocument)->Arg(1)->Arg(100)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One line of 20 MB, of prose and of spaces: memory follows the longest line, and stays under 4
// bytes per byte of it plus 64 MB (limit_MB).
void BM_CliOneLongLine(benchmark::State& state) {
  const auto shape = static_cast<TShape>(state.range(0));
  const TBenchFile& input = BenchFile(20, shape);
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
  state.SetLabel(shape == TShape::OneLineOfProse ? "prose" : "spaces");
  state.counters["s/MB"] =
      benchmark::Counter(megabytes * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["peak_MB"] = static_cast<double>(peak) / kMegabyte;
  state.counters["peak/line_byte"] =
      static_cast<double>(peak) / static_cast<double>(input.Bytes());
  state.counters["limit_MB"] = 4 * megabytes + 64;
}
BENCHMARK(BM_CliOneLongLine)
    ->Arg(static_cast<int>(TShape::OneLineOfProse))
    ->Arg(static_cast<int>(TShape::OneLineOfSpaces))
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
}  // namespace lexipulse

BENCHMARK_MAIN();
