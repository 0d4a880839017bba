#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/Notation.h"

namespace lexipulse {

// TResultText is the result of a run as it stands after a paragraph: the paragraphs done so
// far in their stressed form, followed by those still to come as they were read, joined by
// line feeds. It is a view into the running pipeline, valid until the run returns, so a host
// pulls the text (or only the paragraphs it needs) when it repaints instead of receiving a
// copy of the whole text after every paragraph.
class TResultText {
 public:
  explicit TResultText(const std::vector<std::u16string>& paragraphs) : _Paragraphs(paragraphs) {}

  // Text is the whole result, the paragraphs joined with LF.
  std::u16string Text() const;
  std::size_t ParagraphCount() const { return _Paragraphs.size(); }
  const std::u16string& Paragraph(std::size_t index) const { return _Paragraphs[index]; }
  // ParagraphsDone counts the paragraphs already in their final form.
  std::size_t ParagraphsDone() const { return _ParagraphsDone; }
  bool Complete() const { return _ParagraphsDone == _Paragraphs.size(); }

  void SetParagraphsDone(std::size_t count) { _ParagraphsDone = count; }

  // Letters are the stressed letters of a paragraph done, positions counted in that paragraph,
  // in the accents and highlight styles (drawn by a front end in the highlight style); empty in
  // the classic style and for paragraphs still to come.
  const std::vector<TStressedLetter>& Letters(std::size_t index) const;
  void SetLetters(const std::vector<std::vector<TStressedLetter>>* letters) { _Letters = letters; }

 private:
  const std::vector<std::u16string>& _Paragraphs;
  const std::vector<std::vector<TStressedLetter>>* _Letters = nullptr;
  std::size_t _ParagraphsDone = 0;
};

// TStressHost is everything the window shows during a run. The pipeline calls these on the
// one UI thread, in a fixed order, and never touches a control itself.
class TStressHost {
 public:
  virtual ~TStressHost() = default;

  // ClearResult empties the result (no lines).
  virtual void ClearResult() = 0;
  virtual std::u16string GetCaption() = 0;
  virtual void SetCaption(const std::u16string& text) = 0;
  virtual void SetParagraphProgress(int position, int maximum) = 0;
  virtual void SetWordProgress(int position, int maximum) = 0;
  // PumpEvents lets the host process its pending events; a nested run may start inside it.
  virtual void PumpEvents() = 0;
  virtual void SetStatus(const std::u16string& text) = 0;
  virtual void ShowWord(const std::u16string& text) = 0;
  // SetResultText replaces the whole result by text as one update; its lines are the pieces
  // between CR LF, lone CR or lone LF breaks.
  virtual void SetResultText(const TResultText& text) = 0;
  // AppendResultLine adds one line after the last line of the result.
  virtual void AppendResultLine(const std::u16string& text) = 0;
  // ResetProgress sets the word progress, then the paragraph progress, to 0.
  virtual void ResetProgress() = 0;
  // FollowsWords tells whether the host shows the run word by word (events pumped, the status
  // and caption of each word, the word itself). A host that does not still gets every other
  // call, SetWordProgress included, in the same order.
  virtual bool FollowsWords() const { return true; }
};

}  // namespace lexipulse
