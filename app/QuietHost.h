#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/StressHost.h"
#include "engine/Notation.h"

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

// TFinalParagraphsHost keeps the paragraphs of the result once the run has done its last one,
// each with its stressed letters (which the accents and highlight styles give).
class TFinalParagraphsHost : public TQuietHost {
 public:
  void SetResultText(const TResultText& text) override {
    if (!text.Complete()) return;
    Paragraphs.clear();
    Letters.clear();
    for (std::size_t p = 0; p < text.ParagraphCount(); ++p) {
      Paragraphs.push_back(text.Paragraph(p));
      Letters.push_back(text.Letters(p));
    }
  }

  std::vector<std::u16string> Paragraphs;
  std::vector<std::vector<TStressedLetter>> Letters;
};

}  // namespace lexipulse
