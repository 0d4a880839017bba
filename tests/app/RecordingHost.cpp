#include "RecordingHost.h"

#include <cstddef>
#include <string>

#include "app/Delimited.h"

namespace lexipulse {

namespace {

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Progress(const char16_t* name, long long position, long long maximum) {
  return std::u16string(name) + u"(" + Decimal(position) + u"/" + Decimal(maximum) + u")";
}

}  // namespace

void TRecordingHost::ClearResult() {
  _Calls.push_back(u"ClearResult");
  _ResultLines.clear();
}

std::u16string TRecordingHost::GetCaption() {
  _Calls.push_back(u"GetCaption");
  return _Caption;
}

void TRecordingHost::SetCaption(const std::u16string& text) {
  _Calls.push_back(u"SetCaption(" + text + u")");
  _Caption = text;
}

void TRecordingHost::SetParagraphProgress(int position, int maximum) {
  _Calls.push_back(Progress(u"SetParagraphProgress", position, maximum));
}

void TRecordingHost::SetWordProgress(int position, int maximum) {
  _Calls.push_back(Progress(u"SetWordProgress", position, maximum));
}

void TRecordingHost::PumpEvents() {
  _Calls.push_back(u"PumpEvents");
  if (_OnPump) {
    _OnPump();
  }
}

void TRecordingHost::SetStatus(const std::u16string& text) {
  _Calls.push_back(u"SetStatus(" + text + u")");
  _Status = text;
}

void TRecordingHost::ShowWord(const std::u16string& text) {
  _Calls.push_back(u"ShowWord(" + text + u")");
}

void TRecordingHost::SetResultText(const TResultText& text) {
  const std::u16string whole = text.Text();
  _Calls.push_back(Progress(u"SetResultText", static_cast<long long>(text.ParagraphsDone()),
                            static_cast<long long>(text.ParagraphCount())) +
                   u"(" + whole + u")");
  _ResultTexts.push_back(whole);
  _ResultLines = SplitLines(whole);
}

void TRecordingHost::AppendResultLine(const std::u16string& text) {
  _Calls.push_back(u"AppendResultLine(" + text + u")");
  _ResultLines.push_back(text);
}

void TRecordingHost::ResetProgress() { _Calls.push_back(u"ResetProgress"); }

}  // namespace lexipulse
