#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/ConsoleFrontEnd.h"
#include "engine/Dictionary.h"
#include "tests/support/WordCorpus.h"

namespace lexipulse {
namespace {

namespace fs = std::filesystem;

// TPipeBuffer gives a text the way a pipe does: it cannot seek, so the console reads it once
// and checks it block by block.
class TPipeBuffer : public std::streambuf {
 public:
  explicit TPipeBuffer(std::string text) : _Text(std::move(text)) {
    setg(_Text.data(), _Text.data(), _Text.data() + _Text.size());
  }

 private:
  std::string _Text;
};

// TEndlessZeros is a stream of zero bytes that never ends, as /dev/zero.
class TEndlessZeros : public std::streambuf {
 public:
  TEndlessZeros() : _Zeros(4096, '\0') {}

 protected:
  int_type underflow() override {
    setg(_Zeros.data(), _Zeros.data(), _Zeros.data() + _Zeros.size());
    return traits_type::to_int_type('\0');
  }

 private:
  std::string _Zeros;
};

struct TResult {
  int Status;
  std::string Out;
  std::string Err;
};

TResult RunOn(const std::vector<std::string>& args, std::streambuf& input,
              const TConsoleSettings& settings) {
  std::istream in(&input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunConsole(args, in, out, err, settings);
  return {status, out.str(), err.str()};
}

TResult RunSeekable(const std::vector<std::string>& args, const std::string& text,
                    const TConsoleSettings& settings) {
  std::stringbuf buffer(text);
  return RunOn(args, buffer, settings);
}

TResult RunPiped(const std::vector<std::string>& args, const std::string& text,
                 const TConsoleSettings& settings) {
  TPipeBuffer buffer(text);
  return RunOn(args, buffer, settings);
}

TConsoleSettings WithBlock(std::size_t blockBytes) {
  TConsoleSettings settings;
  settings.BlockBytes = blockBytes;
  return settings;
}

// HugeItem is one item of several hundred bytes: punctuation and accented letters around a
// first run of word characters that may be short, too long for a word, or missing.
std::string HugeItem(TCorpusRandom& random) {
  static const char* const kFill[] = {"-", ".", "\xC3\xA9", "\xE2\x80\x94", "\xF0\x9F\x98\x80"};
  static const char* const kRuns[] = {"Photograph", "CAMEROON", "ab", "developed", "", ""};
  std::string item;
  const std::size_t before = random.Below(400);
  while (item.size() < before) item += kFill[random.Below(std::size(kFill))];
  if (random.Below(5) == 0) {
    item += std::string(50 + random.Below(30), 'X');
  } else {
    item += kRuns[random.Below(std::size(kRuns))];
  }
  const std::size_t after = item.size() + 300 + random.Below(400);
  while (item.size() < after) item += kFill[random.Below(std::size(kFill))];
  if (random.Below(2) == 0) item += "Word";
  return item;
}

// LongLineText is a seeded text of long and short lines: short items in every case before and
// after the long ones, runs of spaces, characters of two to four bytes, huge items, and line
// breaks of every kind.
std::string LongLineText(std::uint64_t seed) {
  static const char* const kItems[] = {"a",
                                       "The",
                                       "WORD",
                                       "Word",
                                       "of",
                                       "photograph",
                                       "Cameroon,",
                                       "\"Coffee\"",
                                       "SING",
                                       "fianc\xC3\xA9",
                                       "na\xC3\xAFve",
                                       "\xF0\x9F\x98\x80x",
                                       "",
                                       "developed",
                                       "AN",
                                       "x\xF0\x9F\x98\x80",
                                       "PHOTOGRAPHS.",
                                       "it's",
                                       "re-record"};
  static const char* const kBreaks[] = {"\n", "\r\n", "\r"};
  TCorpusRandom random(seed);
  std::string text;
  for (int line = 0; line < 40; ++line) {
    const std::size_t items = random.Below(4) == 0 ? random.Below(3) : 20 + random.Below(300);
    for (std::size_t i = 0; i < items; ++i) {
      if (i > 0) text += ' ';
      text += random.Below(60) == 0 ? HugeItem(random) : kItems[random.Below(std::size(kItems))];
    }
    text += kBreaks[random.Below(std::size(kBreaks))];
  }
  text += "last line ends without a break Word";
  return text;
}

TEST(StreamingTest, BlocksAndPiecesGiveTheResultOfTheWholeText) {
  for (const auto* order : {"", "--prefer-dictionary"}) {
    const std::vector<std::string> args =
        std::string(order).empty() ? std::vector<std::string>{} : std::vector<std::string>{order};
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
      const std::string text = LongLineText(seed);
      const TResult whole = RunSeekable(args, text, WithBlock(std::size_t{1} << 30));
      ASSERT_EQ(whole.Status, 0) << whole.Err;
      ASSERT_NE(whole.Out, text) << "the text gets stressed";
      for (const std::size_t blockBytes : {1, 9, 64, 300, 5000}) {
        SCOPED_TRACE(std::string(order) + " seed " + std::to_string(seed) + ", block of " +
                     std::to_string(blockBytes));
        const TResult seekable = RunSeekable(args, text, WithBlock(blockBytes));
        EXPECT_EQ(seekable.Status, 0) << seekable.Err;
        EXPECT_EQ(seekable.Out, whole.Out);
        const TResult piped = RunPiped(args, text, WithBlock(blockBytes));
        EXPECT_EQ(piped.Status, 0) << piped.Err;
        EXPECT_EQ(piped.Out, whole.Out);
      }
    }
  }
}

class StreamingFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { LoadDictionary(); }
  void SetUp() override {
    _Dir = fs::temp_directory_path() / ("lexipulse-streaming-" + std::to_string(getpid()));
    fs::create_directories(_Dir);
  }
  void TearDown() override { fs::remove_all(_Dir); }
  fs::path _Dir;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST_F(StreamingFileTest, ALineOverTheLimitIsRefusedByNumberAndLeavesTheOutputAlone) {
  const std::string text = "short line\r\nanother\n" + std::string(3000, 'w') + " end\nmore\n";
  const fs::path target = _Dir / "out.txt";
  TConsoleSettings settings = WithBlock(16);
  settings.LongestLine = 1000;
  for (const bool piped : {false, true}) {
    SCOPED_TRACE(piped ? "pipe" : "file");
    std::ofstream(target, std::ios::binary) << "old contents";
    const std::vector<std::string> args = {"-o", target.string()};
    const TResult result =
        piped ? RunPiped(args, text, settings) : RunSeekable(args, text, settings);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err,
              "lexipulse-cli: standard input: line 3 is longer than 1000 bytes, the longest line "
              "lexipulse-cli takes\n");
    EXPECT_EQ(ReadAll(target), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(_Dir), fs::directory_iterator()), 1)
        << "no temporary file stays";
  }
  // A line of exactly the limit is taken.
  settings.LongestLine = 3004;
  EXPECT_EQ(RunSeekable({}, text, settings).Status, 0);
}

TEST(StreamingTest, AnEndlessLineStopsAtTheLimit) {
  TEndlessZeros zeros;
  TConsoleSettings settings;
  settings.LongestLine = std::size_t{4} << 20;
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"--explain"}}) {
    const TResult result = RunOn(args, zeros, settings);
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("standard input: line 1 is longer than 4 MiB"), std::string::npos)
        << result.Err;
    EXPECT_EQ(result.Out, "");
  }
}

TEST_F(StreamingFileTest, APipeIsCheckedAsItIsReadAndPlacesItsFaultInTheWholeInput) {
  const std::string text = "ok\r\nline two\rthird \xC3(\nfourth\n";
  const fs::path target = _Dir / "out.txt";
  std::ofstream(target, std::ios::binary) << "old contents";
  for (const std::size_t blockBytes : {1, 4, 1000}) {
    SCOPED_TRACE("block of " + std::to_string(blockBytes));
    const TResult piped = RunPiped({"-o", target.string()}, text, WithBlock(blockBytes));
    EXPECT_EQ(piped.Status, 1);
    EXPECT_EQ(piped.Err,
              "lexipulse-cli: standard input: invalid UTF-8 at line 3, column 7 (byte offset "
              "19)\n");
    EXPECT_EQ(ReadAll(target), "old contents");
  }
  // Read twice, a file is checked before anything is written.
  const TResult seekable = RunSeekable({}, text, WithBlock(1));
  EXPECT_EQ(seekable.Status, 1);
  EXPECT_EQ(seekable.Out, "");
}

}  // namespace
}  // namespace lexipulse
