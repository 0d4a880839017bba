#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/StressHost.h"
#include "cli/ProgressBar.h"

namespace lexipulse {

// TConsoleHost shows nothing during a run but the progress bar; when the last paragraph is
// done it writes the result lines, each with the break its input line had, as UTF-8.
class TConsoleHost : public TStressHost {
 public:
  // breaks are the breaks after each input line but the last; progress (which may be null)
  // learns the word count, wordsBefore being the words of earlier runs.
  TConsoleHost(const std::vector<std::u16string>& breaks, TProgressBar* progress,
               std::int64_t wordsBefore)
      : _Breaks(breaks), _Progress(progress), _WordsBefore(wordsBefore) {}

  void ClearResult() override { _Output.clear(); }
  std::u16string GetCaption() override { return u""; }
  void SetCaption(const std::u16string&) override {}
  void SetParagraphProgress(int, int) override {}
  void SetWordProgress(int, int) override;
  void PumpEvents() override {}
  void SetStatus(const std::u16string&) override {}
  void ShowWord(const std::u16string&) override {}
  void SetResultText(const TResultText& text) override;
  void AppendResultLine(const std::u16string&) override {}
  void ResetProgress() override {}
  // The console shows only the progress bar, so the pipeline builds no status texts for it.
  bool FollowsWords() const override { return false; }

  // SetHtml makes the result lines HTML text with the stressed letters wrapped (AppendHtml).
  void SetHtml(bool html) { _Html = html; }

  const std::string& Output() const { return _Output; }
  std::int64_t Words() const { return _Words; }

 private:
  const std::vector<std::u16string>& _Breaks;
  TProgressBar* _Progress;
  std::int64_t _WordsBefore;
  std::int64_t _Words = 0;
  bool _Html = false;
  std::string _Output;
};

}  // namespace lexipulse
