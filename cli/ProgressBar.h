#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>

namespace lexipulse {

// TProgressBar draws one line of progress on a terminal stream: words done of the total,
// words per second and the time left. It redraws at most once per kRedrawInterval, always
// over the same line, and Finish clears that line, so nothing stays behind on the terminal.
class TProgressBar {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kRedrawInterval{100};

  // The clock is read once here, as the start of the run, and once per Update. A negative
  // totalWords means the total is not known: the bar then shows the words done and the rate.
  TProgressBar(std::ostream& terminal, std::int64_t totalWords,
               TClock clock = std::chrono::steady_clock::now);
  TProgressBar(const TProgressBar&) = delete;
  TProgressBar& operator=(const TProgressBar&) = delete;
  ~TProgressBar();

  // Update redraws the bar for wordsDone when the last drawing (or the start) is at least
  // kRedrawInterval old.
  void Update(std::int64_t wordsDone);
  // Finish clears the bar if it was drawn; later updates draw nothing.
  void Finish();

 private:
  void Draw(std::int64_t wordsDone, std::chrono::steady_clock::time_point now);

  std::ostream& _Terminal;
  std::int64_t _TotalWords;
  TClock _Clock;
  std::chrono::steady_clock::time_point _Start;
  std::chrono::steady_clock::time_point _LastDrawn;
  std::size_t _DrawnWidth = 0;
  bool _Finished = false;
};

}  // namespace lexipulse
