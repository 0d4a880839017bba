#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/Delimited.h"
#include "app/QuietHost.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "bench/BenchText.h"
#include "cli/Blocks.h"
#include "cli/ConsoleFrontEnd.h"
#include "cli/InputReader.h"
#include "engine/Dictionary.h"
#include "pattern/Utf.h"
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

// MixedCostText is a seeded text of tens of thousands of words whose blocks differ widely in
// cost: runs of vowel-heavy words the rules work hard on, lines of spaces, prose, short lines.
std::string MixedCostText(std::uint64_t seed) {
  static const char* const kProse[] = {"The",         "photographer", "developed", "the",
                                       "photographs", "of",           "Cameroon,", "a",
                                       "record",      "to",           "record",    "it."};
  TCorpusRandom random(seed);
  std::string text;
  for (int segment = 0; segment < 120; ++segment) {
    const std::size_t lines = 1 + random.Below(40);
    const std::size_t kind = random.Below(4);
    for (std::size_t line = 0; line < lines; ++line) {
      const std::size_t words = random.Below(30);
      for (std::size_t w = 0; w < words; ++w) {
        if (w > 0) text += ' ';
        if (kind == 0) {
          const std::u16string word = VowelHeavyWord(random, 5 + random.Below(40));
          text += std::string(word.begin(), word.end());
        } else if (kind == 1) {
          text += std::string(random.Below(8), ' ');
        } else {
          text += kProse[random.Below(std::size(kProse))];
        }
      }
      text += kind == 3 ? "\r\n" : "\n";
    }
  }
  return text;
}

TEST(StreamingTest, ParallelBlocksGiveTheSerialResultInOrder) {
  for (const auto* order : {"", "--prefer-dictionary"}) {
    const std::vector<std::string> args =
        std::string(order).empty() ? std::vector<std::string>{} : std::vector<std::string>{order};
    const std::string text = MixedCostText(11) + LongLineText(12) + MixedCostText(13);
    TConsoleSettings serial = WithBlock(2048);
    serial.Threads = 1;
    const TResult expected = RunSeekable(args, text, serial);
    ASSERT_EQ(expected.Status, 0) << expected.Err;
    for (const std::size_t threads : {2, 3, 8}) {
      SCOPED_TRACE(std::string(order) + " on " + std::to_string(threads) + " threads");
      TConsoleSettings parallel = WithBlock(2048);
      parallel.Threads = threads;
      const TResult result = RunPiped(args, text, parallel);
      EXPECT_EQ(result.Status, 0) << result.Err;
      EXPECT_TRUE(result.Out == expected.Out) << "the parallel result differs from the serial one";
    }
  }
}

// Straightforward is the result the way the window computes it: the whole text in one run of the
// pipeline, lines joined with CR LF, each line then given its own break back.
std::string Straightforward(const std::string& text, TStressOptions options) {
  std::vector<std::u16string> breaks;
  const std::vector<std::u16string> lines = SplitLines(Utf8ToUtf16(text), &breaks);
  if (lines.empty()) return "";
  std::u16string joined = lines[0];
  for (std::size_t i = 1; i < lines.size(); ++i) joined += u"\r\n" + lines[i];
  TFinalTextHost host;
  StressSourceText(joined, host, options);
  std::string result;
  std::u16string_view rest = host.Text();
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    const std::size_t end = rest.find(u"\r\n");
    result += Utf16ToUtf8(rest.substr(0, end)) + Utf16ToUtf8(breaks[i]);
    rest.remove_prefix(end + 2);
  }
  return result + Utf16ToUtf8(rest);
}

// The console's fast path (blocks read as they come, long lines in pieces, blocks on several
// threads, one cache for many blocks) against the straightforward run, byte for byte, on the
// bench text, the sample, generated long lines and blocks of very different costs, and a line
// of hostile vowel-heavy words, in both orders and in the accents style.
TEST(StreamingTest, TheFastPathGivesTheStraightforwardResult) {
  if (Dictionary.empty()) LoadDictionary();
  TCorpusRandom random(21);
  std::string hostile;
  while (hostile.size() < 200000) {
    const std::u16string word = VowelHeavyWord(random, 5 + random.Below(60));
    hostile += std::string(word.begin(), word.end()) + " ";
  }
  const struct {
    const char* Name;
    std::string Text;
  } kTexts[] = {
      {"bench prose", Utf16ToUtf8(JoinLines(BenchLines(std::size_t{1} << 20), u"\r\n"))},
      {"bench prose as one line", Utf16ToUtf8(JoinLines(BenchLines(std::size_t{300} << 10), u" "))},
      {"sample", Utf16ToUtf8(SampleText()) + "\n"},
      {"long lines", LongLineText(31)},
      {"blocks of different costs", MixedCostText(32)},
      {"vowel-heavy words", hostile + "\n" + hostile},
  };
  TConsoleSettings small = WithBlock(4096);
  small.Threads = 3;
  TStressOptions dictionaryFirst;
  dictionaryFirst.Order = TStressingOrder::DictionaryFirst;
  TStressOptions accents;
  accents.Style = TNotationStyle::Accents;
  accents.Secondary = TSecondaryStress::BeforePrimary;
  accents.Variant = TVariant::British;
  const struct {
    std::vector<std::string> Args;
    TStressOptions Options;
  } kRuns[] = {
      {{}, TStressOptions{}},
      {{"--prefer-dictionary"}, dictionaryFirst},
      {{"--style", "accents", "--secondary", "--variant", "british"}, accents},
  };
  for (const auto& [args, options] : kRuns) {
    for (const auto& t : kTexts) {
      SCOPED_TRACE(std::string(t.Name) + (args.empty() ? "" : ", " + args.front()));
      const std::string expected = Straightforward(t.Text, options);
      for (const TConsoleSettings& settings : {TConsoleSettings{}, small}) {
        const TResult result = RunPiped(args, t.Text, settings);
        EXPECT_EQ(result.Status, 0) << result.Err;
        const auto [at, _] = std::ranges::mismatch(result.Out, expected);
        const auto offset = static_cast<std::size_t>(at - result.Out.begin());
        EXPECT_TRUE(result.Out == expected)
            << "differs from the straightforward result at byte " << offset << ": \""
            << result.Out.substr(offset > 40 ? offset - 40 : 0, 80) << "\" against \""
            << expected.substr(offset > 40 ? offset - 40 : 0, 80) << "\"";
      }
    }
  }
}

// BlocksOfLines hands text over in blocks of whole lines, as the console reads it.
TNextBlock BlocksOfLines(const std::string& text, std::size_t blockBytes) {
  auto in = std::make_shared<std::istringstream>(text);
  auto reader = std::make_shared<TInputReader>(std::vector<std::string>{"-"}, *in, blockBytes);
  return [in, reader](std::string& block) { return reader->NextBlock(block); };
}

// ThreadsNow is the number of threads of this process.
std::size_t ThreadsNow() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("Threads:")) return std::stoul(line.substr(8));
  }
  return 0;
}

// The blocks' writes come from the calling thread while the other blocks of a batch run, so the
// threads they see are the ones the run started.
TEST(StreamingTest, ASmallTextStartsNoThreadAndALargeOneUsesThem) {
  if (Dictionary.empty()) LoadDictionary();
  const std::size_t before = ThreadsNow();
  ASSERT_GT(before, 0u);
  const std::string large = MixedCostText(41);
  const struct {
    const char* Name;
    std::string Text;
    bool Parallel;
  } kCases[] = {
      {"one line", "The photographer developed the photographs.\n", false},
      {"one block", large.substr(0, large.find('\n', 3000) + 1), false},
      {"many blocks", large, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    std::size_t most = 0;
    std::string out;
    StressInBlocks(BlocksOfLines(c.Text, 4096), TStressOptions{}, 4096, 2, nullptr,
                   [&](std::string_view bytes) {
                     most = std::max(most, ThreadsNow());
                     out += bytes;
                   });
    EXPECT_EQ(out, Straightforward(c.Text, TStressOptions{}));
    if (c.Parallel) {
      EXPECT_GT(most, before);
    } else {
      EXPECT_EQ(most, before);
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
