#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/Context.h"
#include "engine/DictionaryLookUp.h"
#include "engine/Heteronyms.h"
#include "engine/StressOptions.h"

namespace lexipulse {

// kLongestWord is the longest run of word characters that Process stresses: the length of the
// longest word in English dictionaries (pneumonoultramicroscopicsilicovolcanoconiosis). The
// longest dictionary key has 20 characters. The rule patterns take time that grows with the
// square of the length or faster, so a longer run is left as it is.
inline constexpr std::size_t kLongestWord = 45;

// The engine may run on several threads at once: the dictionary and its index are read-only
// once loaded (load or replace them before any thread starts stressing), each thread compiles
// the fixed patterns it uses, and the dictionary scan takes a lock. A TWordToStress belongs to
// the thread that made it.

// TDictionaryLookUp is one dictionary lookup that Process made: the text looked up, the
// ending that goes after its form, and whether the dictionary held an entry.
struct TDictionaryLookUp {
  std::u16string Radical;
  std::u16string Ending;
  bool Found = false;
};

// TWordToStress carries one lowercased run of word characters through the stress engine:
// three ordered chains of word-shape rules, then, when no rule reported, the split of one
// suffix and the dictionary lookup of the stem. Create it, call Process once, read
// WordStressed (rule capitals or dictionary accents) and pass it to CapitalsToAccents.
class TWordToStress {
 public:
  // A rule takes the word and returns its trace: empty when it does not apply; any other
  // text stops its chain.
  using TRule = std::u16string (TWordToStress::*)(const std::u16string& w);

  // context is what the pipeline knows of the word's neighbours; only the dictionary-first
  // order reads it, to choose the reading of a heteronym.
  explicit TWordToStress(const std::u16string& RawWord, TStressOptions options = {},
                         TWordContext context = {});

  const TStressOptions& Options() const { return _Options; }
  const std::u16string& BaseWord() const { return _BaseWord; }
  const std::u16string& WordStressed() const { return _WordStressed; }
  const std::u16string& Radical() const { return _Radical; }
  const std::u16string& Ending() const { return _Ending; }
  bool DoneStressed() const { return _DoneStressed; }
  // DecidingTrace is the non-empty trace of the rule that stopped a chain, or empty when the
  // word went on to the dictionary step. Nothing that the record computes depends on it.
  const std::u16string& DecidingTrace() const { return _DecidingTrace; }
  // DecidingRule is the rule whose trace stopped a chain, or null.
  TRule DecidingRule() const { return _DecidingRule; }
  // LookUps lists the dictionary lookups that Process made, in order.
  const std::vector<TDictionaryLookUp>& LookUps() const { return _LookUps; }
  // Heteronym is the reading that the dictionary-first order chose for a word of the
  // heteronym table, and why; empty for any other word.
  const std::optional<THeteronymDecision>& Heteronym() const { return _Heteronym; }

  // Process runs the stressing order: DoUltimate, DoPenUltimate, DoAntePenUltimate, stopping
  // at the first rule that reports; otherwise SplitWord and the dictionary lookup of Radical.
  // When the options ask for TStressingOrder::DictionaryFirst it runs ProcessDictionaryFirst.
  void Process();
  // ProcessDictionaryFirst gives a word of the heteronym table the form of the reading its
  // context points to; it looks any other BaseWord up whole, then (when SplitWord splits off an
  // ending) Radical, and runs the three chains only when neither lookup found an entry; a
  // word that no rule covers then stays unmarked.
  void ProcessDictionaryFirst();

  void DoUltimate();
  void DoPenUltimate();
  void DoAntePenUltimate();

  // SplitWord splits off the shortest listed ending (s, ly, ed, ing, al, ary) of a word of
  // five characters or more into Ending; Radical keeps the rest.
  void SplitWord();

  // Final-syllable rules, in chain order.
  std::u16string doFirstSyllableGreekRule(const std::u16string& w);
  std::u16string doGreekRule(const std::u16string& w);
  std::u16string doCameroonRule(const std::u16string& w);
  std::u16string doFrenchRule(const std::u16string& w);
  std::u16string doChineseRule(const std::u16string& w);
  std::u16string doDescendRule(const std::u16string& w);

  // Penultimate-syllable rules, in chain order.
  std::u16string doPriorityRule(const std::u16string& w);
  std::u16string doClassifiedRule(const std::u16string& w);
  std::u16string doBulgarianRule(const std::u16string& w);
  std::u16string doPolishRule(const std::u16string& w);
  std::u16string doSpectatorRule(const std::u16string& w);
  std::u16string doPsittacosisRule(const std::u16string& w);
  std::u16string doAnemiaRule(const std::u16string& w);
  std::u16string doOratoryRule(const std::u16string& w);
  std::u16string doMementoRule(const std::u16string& w);

  // Antepenultimate-syllable rules, in chain order.
  std::u16string doTranscendentalRule(const std::u16string& w);
  std::u16string doVolubleRule(const std::u16string& w);
  std::u16string doPestiferousRule(const std::u16string& w);
  std::u16string doSenescenceRule(const std::u16string& w);
  std::u16string doDistributiveRule(const std::u16string& w);

 protected:
  // RunChain calls each rule with BaseWord in order; the first non-empty trace sets
  // DoneStressed, is kept as DecidingTrace and ends the chain.
  void RunChain(std::span<const TRule> rules);

 private:
  void ProcessRulesFirst();
  // RunChains runs the three chains in order until a rule reports.
  void RunChains();
  // LookUp records the lookup of radical and, when an entry is found, sets WordStressed to
  // its form followed by ending; it tells whether one was found.
  bool LookUp(const std::u16string& radical, const std::u16string& ending);

  // Apply runs one rule shape over w with the matcher the options choose.
  std::u16string Apply(const std::u16string& w, const struct TRuleShape& shape);

  TStressOptions _Options;
  std::u16string _BaseWord;
  std::u16string _WordStressed;
  std::u16string _Radical;
  std::u16string _Ending;
  bool _DoneStressed = false;
  std::u16string _DecidingTrace;
  TRule _DecidingRule = nullptr;
  std::vector<TDictionaryLookUp> _LookUps;
  TWordContext _Context;
  std::optional<THeteronymDecision> _Heteronym;
};

// The three chains, in the order their rules are tried (defined with the rule catalogue).
std::span<const TWordToStress::TRule> UltimateChain();
std::span<const TWordToStress::TRule> PenUltimateChain();
std::span<const TWordToStress::TRule> AntePenUltimateChain();

// CapitalsToAccents turns rule capitals into the display form: capital vowels become accented
// capitals, and the remaining ASCII capitals are lowercased unless the second character is a
// capital consonant.
std::u16string CapitalsToAccents(const std::u16string& text);

}  // namespace lexipulse
