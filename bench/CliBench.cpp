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

#include "bench/BenchText.h"
#include "pattern/Utf.h"

extern char** environ;

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMegabyte = 1 << 20;

// TBenchFile is the 1 MB bench text repeated to the given size in a temporary file, removed
// at exit.
class TBenchFile {
 public:
  explicit TBenchFile(std::size_t megabytes)
      : _Path(fs::temp_directory_path() / ("lexipulse-bench-cli-" + std::to_string(getpid()) + "-" +
                                           std::to_string(megabytes) + ".txt")) {
    const std::string text = Utf16ToUtf8(JoinLines(BenchLines(kMegabyte), u"\r\n")) + "\r\n";
    std::ofstream file(_Path, std::ios::binary);
    for (std::size_t i = 0; i < megabytes; ++i) {
      file << text;
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

const TBenchFile& BenchFile(std::size_t megabytes) {
  static std::map<std::size_t, TBenchFile> files;
  return files.try_emplace(megabytes, megabytes).first->second;
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
  state.counters["limit_MB"] = 6 * megabytes + 64;
}
BENCHMARK(BM_CliDocument)->Arg(1)->Arg(100)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace lexipulse

BENCHMARK_MAIN();
