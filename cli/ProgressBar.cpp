#include "cli/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

namespace lexipulse {

namespace {

// Grouped writes 1234567 as 1,234,567, which reads at a glance while it changes.
std::string Grouped(std::int64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

std::string Duration(double seconds) {
  const auto whole = static_cast<long long>(std::ceil(std::max(seconds, 0.0)));
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                  whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

TProgressBar::TProgressBar(std::ostream& terminal, std::int64_t totalWords, TClock clock)
    : _Terminal(terminal), _TotalWords(totalWords), _Clock(std::move(clock)) {
  _Start = _Clock();
  _LastDrawn = _Start;
}

TProgressBar::~TProgressBar() { Finish(); }

void TProgressBar::Update(std::int64_t wordsDone) {
  if (_Finished) {
    return;
  }
  const auto now = _Clock();
  if (now - _LastDrawn < kRedrawInterval) {
    return;
  }
  _LastDrawn = now;
  Draw(wordsDone, now);
}

void TProgressBar::Finish() {
  if (_Finished) {
    return;
  }
  _Finished = true;
  if (_DrawnWidth > 0) {
    _Terminal << '\r' << std::string(_DrawnWidth, ' ') << '\r' << std::flush;
  }
}

void TProgressBar::Draw(std::int64_t wordsDone, std::chrono::steady_clock::time_point now) {
  const double seconds = std::chrono::duration<double>(now - _Start).count();
  const double perSecond = seconds > 0 ? static_cast<double>(wordsDone) / seconds : 0;
  std::string line;
  if (_TotalWords < 0) {
    // The total of a text read as it arrives is not known.
    line = Grouped(wordsDone) + " words, " + Grouped(static_cast<std::int64_t>(perSecond)) +
           " words/s";
  } else {
    const std::int64_t total = std::max(_TotalWords, wordsDone);
    const int percent = total > 0 ? static_cast<int>(100 * wordsDone / total) : 100;
    line = Grouped(wordsDone) + " of " + Grouped(total) + " words (" + std::to_string(percent) +
           "%), " + Grouped(static_cast<std::int64_t>(perSecond)) + " words/s, ";
    line += perSecond > 0 ? Duration(static_cast<double>(total - wordsDone) / perSecond) + " left"
                          : std::string("time left unknown");
  }
  // Spaces wipe what a longer earlier drawing left on the line.
  const std::size_t width = line.size();
  if (width < _DrawnWidth) {
    line.append(_DrawnWidth - width, ' ');
  }
  _DrawnWidth = std::max(_DrawnWidth, width);
  _Terminal << '\r' << line << std::flush;
}

}  // namespace lexipulse
