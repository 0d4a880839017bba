#include "cli/Explain.h"

#include <cstddef>
#include <optional>
#include <string>

#include "app/StressSourceText.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"

namespace lexipulse {

namespace {

struct TRuleName {
  TWordToStress::TRule Rule;
  const char16_t* Name;
};

// The names under which the rules' traces report them.
constexpr TRuleName kRuleNames[] = {
    {&TWordToStress::doFirstSyllableGreekRule, u"1st Greek Rule"},
    {&TWordToStress::doGreekRule, u"Greek Rule"},
    {&TWordToStress::doCameroonRule, u"Cameroon Rule"},
    {&TWordToStress::doFrenchRule, u"French Rule"},
    {&TWordToStress::doChineseRule, u"Chinese Rule"},
    {&TWordToStress::doDescendRule, u"Descend Rule"},
    {&TWordToStress::doPriorityRule, u"Sorority Rule"},
    {&TWordToStress::doClassifiedRule, u"Classified Rule"},
    {&TWordToStress::doBulgarianRule, u"Bulgarian Rule"},
    {&TWordToStress::doPolishRule, u"Polish Rule"},
    {&TWordToStress::doSpectatorRule, u"Spectator Rule"},
    {&TWordToStress::doPsittacosisRule, u"Psittacosis Rule"},
    {&TWordToStress::doAnemiaRule, u"Anemia Rule"},
    {&TWordToStress::doOratoryRule, u"Oratory Rule"},
    {&TWordToStress::doMementoRule, u"Memento Rule"},
    {&TWordToStress::doTranscendentalRule, u"Transcendental Rule"},
    {&TWordToStress::doVolubleRule, u"Voluble Rule"},
    {&TWordToStress::doPestiferousRule, u"Pestiferous Rule"},
    {&TWordToStress::doSenescenceRule, u"Senescence Rule"},
    {&TWordToStress::doDistributiveRule, u"Distributive Rule"},
};

// RuleName is the label in braces that ends a trace; a trace without one is an exception
// form alone, named after its rule.
std::u16string RuleName(const TWordToStress& word) {
  const std::u16string& trace = word.DecidingTrace();
  const std::size_t open = trace.rfind(u'{');
  const std::size_t close = trace.rfind(u'}');
  if (open != std::u16string::npos && close != std::u16string::npos && open < close) {
    return trace.substr(open + 1, close - open - 1);
  }
  for (const TRuleName& entry : kRuleNames) {
    if (entry.Rule == word.DecidingRule()) {
      return std::u16string(entry.Name) + u" - exception";
    }
  }
  return u"unnamed rule";
}

std::u16string LookUps(const TWordToStress& word) {
  std::u16string how = u"dictionary";
  const char16_t* separator = u" ";
  for (const TDictionaryLookUp& lookUp : word.LookUps()) {
    how += separator + lookUp.Radical;
    if (!lookUp.Ending.empty()) {
      how += u"+" + lookUp.Ending;
    }
    how += lookUp.Found ? u" found" : u" not found";
    separator = u", ";
  }
  return how;
}

}  // namespace

TExplanation ExplainItem(const std::u16string& item, TStressOptions options) {
  if (item.size() <= kShortItemLength) {
    return {item, u"short word, left as it is"};
  }
  // The item goes through the pipeline's own steps, so an explanation describes what it does.
  const std::u16string lowercased = AsciiLowerCase(item);
  const std::optional<TWordRun> found = FindWordRun(lowercased, !options.Literal);
  if (!found) {
    return {lowercased, u"no word characters, left as it is"};
  }
  if (found->Run.size() > kLongestWord) {
    return {lowercased, u"too long for a word, left as it is"};
  }
  TWordToStress word(found->Run, options);
  word.Process();
  return {found->Left + CapitalsToAccents(word.WordStressed()) + found->Right,
          word.DecidingRule() != nullptr ? RuleName(word) : LookUps(word)};
}

}  // namespace lexipulse
