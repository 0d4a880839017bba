#include "cli/Explain.h"

#include <cstddef>
#include <optional>
#include <string>

#include "app/Delimited.h"
#include "app/StressSourceText.h"
#include "app/WordContext.h"
#include "cli/Escape.h"
#include "cli/Input.h"
#include "engine/Notation.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

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

// ExplainItem explains one item; lowercaseShort tells whether a longer item follows it, and
// context gives its neighbours on the line.
TExplanation ExplainItem(const std::u16string& item, bool lowercaseShort, TStressOptions options,
                         const TWordContext& context = {}) {
  if (item.size() <= kShortItemLength) {
    if (!FindWordRun(item, !options.Literal)) {
      return {item, item, u"no word characters, left as it is"};
    }
    const std::u16string lowercased = AsciiLowerCase(item);
    if (lowercaseShort && lowercased != item && options.Style == TNotationStyle::Classic) {
      return {item, lowercased, u"short word, lowercased"};
    }
    return {item, item, u"short word, left as it is"};
  }
  if (options.Order == TStressingOrder::DictionaryFirst && AlreadyStressed(item)) {
    return {item, item, u"already stressed, left as it is"};
  }
  // The item goes through the pipeline's own steps, so an explanation describes what it does.
  const std::u16string lowercased = AsciiLowerCase(item);
  const std::optional<TWordRun> found = FindWordRun(lowercased, !options.Literal);
  const std::u16string& unstressed = options.Style == TNotationStyle::Classic ? lowercased : item;
  if (!found) {
    return {item, unstressed, u"no word characters, left as it is"};
  }
  if (found->Run.size() > kLongestWord) {
    return {item, unstressed, u"too long for a word, left as it is"};
  }
  TWordToStress word(found->Run, options, context);
  word.Process();
  std::u16string how;
  if (word.Heteronym()) {
    how = u"heteronym " + found->Run + u": " + ReadingName(word.Heteronym()->Reading) + u" (" +
          word.Heteronym()->Reason + u")";
  } else {
    how = word.DecidingRule() != nullptr ? RuleName(word) : LookUps(word);
  }
  const TRunNotation notation = NoteRun(found->Run, options, context);
  if (notation.British) {
    how = u"British form, in place of " + how;
  }
  if (options.Style == TNotationStyle::Classic) {
    return {item, found->Left + notation.Classic + found->Right, how};
  }
  // Both styles keep the item as typed; the line shows the stressed letters with accents, as
  // the accents style puts them on the item.
  std::u16string display = item;
  if (!TouchesForeignLetter(found->Left, found->Right)) {
    ApplyAccents(display, notation.Letters, found->Left.size());
  }
  return {item, display, how};
}

std::string Field(std::u16string_view text) { return EscapeControls(Utf16ToUtf8(text)); }

void AppendLine(const TExplanation& explanation, std::string& lines) {
  lines += Field(explanation.Item) + '\t' + Field(explanation.Display) + '\t' +
           Field(explanation.How) + '\n';
}

// AppendText explains the lines of text; the pipeline sees each line that a break ends with
// the CR of the CR LF the lines are joined with.
void AppendText(std::string_view text, TStressOptions options, std::string& lines) {
  std::vector<std::u16string> breaks;
  const std::vector<std::u16string> split = SplitLines(Utf8ToUtf16(text), &breaks);
  for (std::size_t i = 0; i < split.size(); ++i) {
    const bool broken = i < breaks.size();
    std::vector<TExplanation> items =
        ExplainParagraph(broken ? split[i] + u'\r' : split[i], options);
    if (broken) {
      TExplanation& last = items.back();
      last.Item.pop_back();
      if (last.Display.ends_with(u'\r')) {
        last.Display.pop_back();
      }
    }
    for (const TExplanation& explanation : items) {
      AppendLine(explanation, lines);
    }
  }
}

}  // namespace

std::vector<TExplanation> ExplainParagraph(const std::u16string& paragraph,
                                           TStressOptions options) {
  const std::vector<std::u16string> items = SplitDelimited(paragraph, u' ');
  std::size_t lastLong = 0;
  for (std::size_t q = 0; q < items.size(); ++q) {
    if (items[q].size() > kShortItemLength) {
      lastLong = q;
    }
  }
  std::vector<TExplanation> explanations;
  explanations.reserve(items.size());
  for (std::size_t q = 0; q < items.size(); ++q) {
    explanations.push_back(ExplainItem(items[q], q < lastLong, options,
                                       options.Order == TStressingOrder::DictionaryFirst
                                           ? ContextOfItem(items, q)
                                           : TWordContext{}));
  }
  return explanations;
}

std::string ExplainText(std::string_view text, TStressOptions options) {
  std::string lines;
  AppendText(text, options, lines);
  return lines;
}

std::string ExplainWords(const std::vector<std::string>& words, TStressOptions options) {
  std::string lines;
  for (const auto& word : words) {
    CheckText(word, "word '" + word + "'");
    if (word.empty()) {
      AppendLine(ExplainItem(u"", false, options), lines);
    } else {
      AppendText(word, options, lines);
    }
  }
  return lines;
}

}  // namespace lexipulse
