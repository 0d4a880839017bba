#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "engine/Dictionary.h"
#include "engine/uStressRules.h"

extern char** environ;

namespace lexipulse {
namespace {

// The start-up cost of the dictionary: decode, split and index the embedded data.
void BM_LoadDictionary(benchmark::State& state) {
  for (auto _ : state) {
    LoadDictionary();
    benchmark::DoNotOptimize(Dictionary.data());
    state.PauseTiming();
    FreeDictionary();
    state.ResumeTiming();
  }
  LoadDictionary();
  state.counters["lines"] = static_cast<double>(Dictionary.size());
  FreeDictionary();
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

// RunCli starts the console front end with stdin from that file and waits for it; false when
// it did not run cleanly.
bool RunCli(const char* input) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string path = LEXIPULSE_CLI_PATH;
  char* argv[] = {path.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// The console front end on empty input, started as a process. It loads the dictionary only
// before its first word, so this is the start-up without the load.
void BM_CliStartOnEmptyInput(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunCli("/dev/null")) {
      state.SkipWithError("the console front end did not run cleanly");
      break;
    }
  }
}
BENCHMARK(BM_CliStartOnEmptyInput)->Unit(benchmark::kMillisecond);

// The console front end on one word: start-up with the load and one lookup.
void BM_CliStartOnOneWord(benchmark::State& state) {
  char input[] = "/tmp/lexipulse-bench-XXXXXX";
  const int fd = mkstemp(input);
  if (fd < 0 || write(fd, "developed\n", 10) != 10) {
    state.SkipWithError("cannot write the input file");
    return;
  }
  close(fd);
  for (auto _ : state) {
    if (!RunCli(input)) {
      state.SkipWithError("the console front end did not run cleanly");
      break;
    }
  }
  unlink(input);
}
BENCHMARK(BM_CliStartOnOneWord)->Unit(benchmark::kMillisecond);

// One lookup through the index once loaded, for scale.
void BM_IndexedLookup(benchmark::State& state) {
  LoadDictionary();
  const std::u16string word = u"develop";
  for (auto _ : state) benchmark::DoNotOptimize(LookUpDictionary(word));
  FreeDictionary();
}
BENCHMARK(BM_IndexedLookup);

}  // namespace
}  // namespace lexipulse

BENCHMARK_MAIN();
