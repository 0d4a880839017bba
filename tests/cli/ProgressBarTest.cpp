#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>

#include "cli/ProgressBar.h"

namespace lexipulse {
namespace {

using namespace std::chrono_literals;

// TFakeTerminal is a terminal stream and a clock that moves only when told to.
struct TFakeTerminal {
  std::ostringstream Stream;
  std::chrono::steady_clock::time_point Now{};
  TProgressBar::TClock Clock() {
    return [this] { return Now; };
  }
};

TEST(ProgressBarTest, RedrawsAtMostTenTimesASecondOverOneLine) {
  TFakeTerminal terminal;
  TProgressBar bar(terminal.Stream, 1000, terminal.Clock());
  const struct {
    const char* Name;
    std::chrono::milliseconds Advance;
    std::int64_t Words;
    bool Drawn;
  } kSteps[] = {
      {"too soon after the start", 50ms, 10, false},
      {"a tenth of a second after the start", 50ms, 100, true},
      {"too soon after the last drawing", 99ms, 150, false},
      {"a tenth of a second after the last drawing", 1ms, 200, true},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.Name);
    const std::string before = terminal.Stream.str();
    terminal.Now += step.Advance;
    bar.Update(step.Words);
    const std::string drawn = terminal.Stream.str().substr(before.size());
    if (step.Drawn) {
      ASSERT_FALSE(drawn.empty());
      EXPECT_EQ(drawn.front(), '\r') << "each drawing starts over the same line";
      EXPECT_EQ(drawn.find('\n'), std::string::npos) << drawn;
      EXPECT_NE(drawn.find(std::to_string(step.Words) + " of 1,000 words"), std::string::npos)
          << drawn;
    } else {
      EXPECT_EQ(drawn, "");
    }
  }
}

TEST(ProgressBarTest, ShowsRateAndTimeLeft) {
  const struct {
    const char* Name;
    std::int64_t Total;
    std::chrono::milliseconds Elapsed;
    std::int64_t Words;
    std::string Parts[3];
  } kCases[] = {
      {"half way after a second",
       1000,
       1000ms,
       500,
       {"500 of 1,000 words (50%)", "500 words/s", "0:01 left"}},
      {"large counts grouped, hours left",
       4'000'000,
       100'000ms,
       100'000,
       {"100,000 of 4,000,000 words (2%)", "1,000 words/s", "1:05:00 left"}},
      {"more words than counted",
       10,
       1000ms,
       20,
       {"20 of 20 words (100%)", "20 words/s", "0:00 left"}},
      {"nothing done yet", 10, 1000ms, 0, {"0 of 10 words (0%)", "0 words/s", "time left unknown"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    TFakeTerminal terminal;
    TProgressBar bar(terminal.Stream, c.Total, terminal.Clock());
    terminal.Now += c.Elapsed;
    bar.Update(c.Words);
    for (const auto& part : c.Parts) {
      EXPECT_NE(terminal.Stream.str().find(part), std::string::npos)
          << terminal.Stream.str() << " lacks " << part;
    }
  }
}

TEST(ProgressBarTest, FinishClearsWhatWasDrawn) {
  TFakeTerminal terminal;
  {
    TProgressBar bar(terminal.Stream, 100'000, terminal.Clock());
    terminal.Now += 1s;
    bar.Update(99'999);
    terminal.Now += 1s;
    bar.Update(100'000);
    const std::string wide = terminal.Stream.str();
    const std::size_t width = wide.size() - wide.rfind('\r') - 1;
    terminal.Now += 1s;
    bar.Update(100);  // a shorter line must wipe the longer one
    const std::string narrow = terminal.Stream.str().substr(wide.size());
    EXPECT_EQ(narrow.size(), width + 1) << narrow;
    EXPECT_TRUE(narrow.ends_with(' ')) << narrow;

    bar.Finish();
    EXPECT_TRUE(terminal.Stream.str().ends_with("\r" + std::string(width, ' ') + "\r"));
    const std::string finished = terminal.Stream.str();
    terminal.Now += 1s;
    bar.Update(5);
    EXPECT_EQ(terminal.Stream.str(), finished) << "nothing after Finish";
  }

  TFakeTerminal quick;
  {
    TProgressBar bar(quick.Stream, 10, quick.Clock());
    bar.Update(10);
  }
  EXPECT_EQ(quick.Stream.str(), "") << "a run too short to draw leaves nothing to clear";
}

}  // namespace
}  // namespace lexipulse
