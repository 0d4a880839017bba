#include "engine/Exceptions.h"

#include <algorithm>

#include "pattern/CaseMapping.h"
#include "pattern/Pattern.h"

namespace lexipulse {

const std::array<std::u16string_view, 7> CameroonExceptions = {
    u"igloo|Igloo",       u"coffee|COffee", u"committee|comMIttee", u"pedigree|PEdigree",
    u"overseer|Overseer", u"cuckoo|CUckoo", u"baboo|BAboo"};

const std::array<std::u16string_view, 8> FrenchExceptions = {
    u"Omelette|'Omelette",     u"palette|'PAlette",     u"decade|'DEcade",
    u"retrograde|'REtrograde", u"orangeade|'Orangeade", u"centigrade|'CENtigrade",
    u"comrade|'COMrade",       u"marmalade|'MARmalade"};

const std::array<std::u16string_view, 8> ChineseExceptions = {
    u"Omelette|Omelette",   u"palette|pAlette",       u"decade|dEcade",   u"retrograde|rEtrograde",
    u"orangeade|Orangeade", u"centigrade|cEntigrade", u"comrade|cOmrade", u"marmalade|mArmalade"};

const std::array<std::u16string_view, 6> PolishExceptions = {
    u"politics|'POlitics", u"lunatic|'LUnatic",       u"Arabic|'Arabic",
    u"Catholic|'CAtholic", u"arithmetic|a'RIthmetic", u"heretic|'HEretic"};

const std::array<std::u16string_view, 7> PolishDerivedWords = {
    u"Catholicism",    u"political", u"politically", u"arithmetical",
    u"arithmetically", u"heretical", u"heretically"};

namespace {

// ScanExceptions runs every entry against the same text on one pattern object; derived
// tells which texts a match does not make an exception.
TExceptionResult ScanExceptions(const std::u16string& text,
                                std::span<const std::u16string_view> list,
                                bool (*derived)(const std::u16string&), bool jit) {
  TExceptionResult result;
  TPattern pattern;
  pattern.SetJit(jit);
  for (std::u16string_view entry : list) {
    const std::size_t bar = entry.find(u'|');
    pattern.SetRegEx(std::u16string(entry.substr(0, bar)));
    pattern.SetOptions(preCaseLess);
    pattern.SetSubject(text);
    pattern.SetReplacement(bar == std::u16string_view::npos
                               ? std::u16string()
                               : std::u16string(entry.substr(bar + 1)));
    if (pattern.Match()) {
      pattern.ReplaceAll();
      result.Form = pattern.Subject();
      if (derived == nullptr || !derived(text)) result.Found = true;
    }
  }
  return result;
}

}  // namespace

TExceptionResult FindException(const std::u16string& text,
                               std::span<const std::u16string_view> list, bool jit) {
  return ScanExceptions(text, list, nullptr, jit);
}

TExceptionResult FindPolishException(const std::u16string& text, bool jit) {
  return ScanExceptions(text, PolishExceptions, IsDerivedWord, jit);
}

bool IsDerivedWord(const std::u16string& text) {
  const std::u16string lowered = AsciiLowerCase(text);
  return std::any_of(
      PolishDerivedWords.begin(), PolishDerivedWords.end(),
      [&](std::u16string_view word) { return AsciiLowerCase(std::u16string(word)) == lowered; });
}

}  // namespace lexipulse
