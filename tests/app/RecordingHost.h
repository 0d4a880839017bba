#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/StressHost.h"

namespace lexipulse {

// TRecordingHost stands in for the window: it writes down every host call with its arguments
// as one text, and keeps the caption and the result lines the way the window would. It pulls
// the whole result text at every SetResultText, so a test sees each delivered text.
class TRecordingHost : public TStressHost {
 public:
  explicit TRecordingHost(std::u16string caption = u"Lexipulse") : _Caption(std::move(caption)) {}

  void ClearResult() override;
  std::u16string GetCaption() override;
  void SetCaption(const std::u16string& text) override;
  void SetParagraphProgress(int position, int maximum) override;
  void SetWordProgress(int position, int maximum) override;
  void PumpEvents() override;
  void SetStatus(const std::u16string& text) override;
  void ShowWord(const std::u16string& text) override;
  void SetResultText(const TResultText& text) override;
  void AppendResultLine(const std::u16string& text) override;
  void ResetProgress() override;

  const std::vector<std::u16string>& Calls() const { return _Calls; }
  // ResultTexts are the texts delivered by SetResultText, in order.
  const std::vector<std::u16string>& ResultTexts() const { return _ResultTexts; }
  const std::vector<std::u16string>& ResultLines() const { return _ResultLines; }
  const std::u16string& Caption() const { return _Caption; }
  const std::u16string& Status() const { return _Status; }

  // OnPump runs inside every PumpEvents, after the call is recorded.
  void SetOnPump(std::function<void()> onPump) { _OnPump = std::move(onPump); }

 private:
  std::vector<std::u16string> _Calls;
  std::vector<std::u16string> _ResultTexts;
  std::vector<std::u16string> _ResultLines;
  std::u16string _Caption;
  std::u16string _Status;
  std::function<void()> _OnPump;
};

}  // namespace lexipulse
