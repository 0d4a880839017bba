#pragma once

#include <string>
#include <vector>

#include "app/StressHost.h"

namespace lexipulse {

// TQuietHost is a host that shows nothing: every operation does nothing and the caption is
// empty. A host that needs only part of a run overrides just those operations.
class TQuietHost : public TStressHost {
 public:
  void ClearResult() override {}
  std::u16string GetCaption() override { return {}; }
  void SetCaption(const std::u16string&) override {}
  void SetParagraphProgress(int, int) override {}
  void SetWordProgress(int, int) override {}
  void PumpEvents() override {}
  void SetStatus(const std::u16string&) override {}
  void ShowWord(const std::u16string&) override {}
  void SetResultText(const TResultText&) override {}
  void AppendResultLine(const std::u16string&) override {}
  void ResetProgress() override {}
};

// TFinalTextHost keeps the result text once the run has done its last paragraph, and the lines
// appended after it; the text is pulled once, so keeping it costs nothing per paragraph.
class TFinalTextHost : public TQuietHost {
 public:
  void ClearResult() override {
    _Text.clear();
    _Appended.clear();
  }
  void SetResultText(const TResultText& text) override {
    if (text.Complete()) {
      _Text = text.Text();
    }
  }
  void AppendResultLine(const std::u16string& line) override { _Appended.push_back(line); }

  const std::u16string& Text() const { return _Text; }
  const std::vector<std::u16string>& Appended() const { return _Appended; }

 private:
  std::u16string _Text;
  std::vector<std::u16string> _Appended;
};

}  // namespace lexipulse
