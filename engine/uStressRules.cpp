#include "engine/uStressRules.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "engine/Dictionary.h"
#include "engine/FixedPatterns.h"
#include "engine/RuleSteps.h"
#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"

namespace lexipulse {

namespace {

constexpr std::size_t kSplitWordMinLength = 5;

bool IsAsciiCapital(char16_t c) { return c >= u'A' && c <= u'Z'; }

char16_t AccentedCapital(char16_t c) {
  switch (c) {
    case u'A':
      return u'\u00C1';
    case u'E':
      return u'\u00C9';
    case u'I':
      return u'\u00CD';
    case u'O':
      return u'\u00D3';
    case u'U':
      return u'\u00DA';
    case u'Y':
      return u'\u00DD';
    default:
      return c;
  }
}

}  // namespace

TWordToStress::TWordToStress(const std::u16string& RawWord, TStressOptions options,
                             TWordContext context)
    : _Options(options), _BaseWord(RawWord), _WordStressed(RawWord), _Context(std::move(context)) {}

std::u16string TWordToStress::Apply(const std::u16string& w, const TRuleShape& shape) {
  return ApplyRule(w, shape, _WordStressed, !_Options.Literal);
}

void TWordToStress::Process() {
  if (_BaseWord.size() > kLongestWord) {
    _Radical = _BaseWord;
    return;
  }
  if (_Options.Order == TStressingOrder::DictionaryFirst) {
    ProcessDictionaryFirst();
  } else {
    ProcessRulesFirst();
  }
}

void TWordToStress::RunChains() {
  DoUltimate();
  if (!_DoneStressed) {
    DoPenUltimate();
  }
  if (!_DoneStressed) {
    DoAntePenUltimate();
  }
}

void TWordToStress::ProcessRulesFirst() {
  RunChains();
  if (_DoneStressed) {
    return;
  }
  SplitWord();
  if (!LookUp(_Radical, _Ending)) {
    _WordStressed = _Radical + _Ending;
  }
}

void TWordToStress::ProcessDictionaryFirst() {
  if (const THeteronym* heteronym = _Options.Heteronyms ? FindHeteronym(_BaseWord) : nullptr) {
    _Heteronym = DecideHeteronym(*heteronym, _Context);
    _WordStressed = heteronym->Marked(_Heteronym->Reading);
    return;
  }
  if (LookUp(_BaseWord, u"")) {
    return;
  }
  SplitWord();
  if (!_Ending.empty() && LookUp(_Radical, _Ending)) {
    return;
  }
  RunChains();
}

bool TWordToStress::LookUp(const std::u16string& radical, const std::u16string& ending) {
  std::optional<std::u16string> form = FindInDictionary(radical, _Options.Literal);
  _LookUps.push_back({radical, ending, form.has_value()});
  if (!form) {
    return false;
  }
  _WordStressed = std::move(*form) + ending;
  return true;
}

void TWordToStress::DoUltimate() { RunChain(UltimateChain()); }
void TWordToStress::DoPenUltimate() { RunChain(PenUltimateChain()); }
void TWordToStress::DoAntePenUltimate() { RunChain(AntePenUltimateChain()); }

void TWordToStress::RunChain(std::span<const TRule> rules) {
  for (const TRule rule : rules) {
    std::u16string trace = (this->*rule)(_BaseWord);
    if (!trace.empty()) {
      _DoneStressed = true;
      _DecidingTrace = std::move(trace);
      _DecidingRule = rule;
      return;
    }
  }
}

void TWordToStress::SplitWord() {
  _Ending.clear();
  _Radical = _BaseWord;
  if (_BaseWord.size() < kSplitWordMinLength) {
    return;
  }
  TPattern pattern;
  pattern.SetRegEx(FixedPatternText(TFixedPatternId::SplitWord));
  pattern.SetOptions(preCaseLess);
  pattern.SetJit(!_Options.Literal);
  pattern.SetSubject(_BaseWord);
  if (!pattern.Match()) {
    return;
  }
  std::u16string radical = pattern.Groups(1);
  std::u16string ending = pattern.Groups(2);
  // Outside a run of word characters the match can leave text outside both groups; such a
  // split would lose that text, so the word stays whole instead.
  if (radical.size() + ending.size() != _BaseWord.size() ||
      _BaseWord.compare(0, radical.size(), radical) != 0 || !_BaseWord.ends_with(ending)) {
    return;
  }
  _Radical = std::move(radical);
  _Ending = std::move(ending);
}

std::u16string CapitalsToAccents(const std::u16string& text) {
  std::u16string converted = text;
  std::ranges::transform(converted, converted.begin(), AccentedCapital);
  if (converted.size() >= 2 && IsAsciiCapital(converted[1])) {
    return converted;
  }
  return AsciiLowerCase(converted);
}

}  // namespace lexipulse
