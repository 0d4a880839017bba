#pragma once

#include <span>
#include <string>

namespace lexipulse {

// TWordToStress carries one lowercased run of word characters through the stress engine:
// three ordered chains of word-shape rules, then, when no rule reported, the split of one
// suffix and the dictionary lookup of the stem. Create it, call Process once, read
// WordStressed (rule capitals or dictionary accents) and pass it to CapitalsToAccents.
class TWordToStress {
 public:
  // A rule takes the word and returns its trace: empty when it does not apply; any other
  // text stops its chain.
  using TRule = std::u16string (TWordToStress::*)(const std::u16string& w);

  explicit TWordToStress(const std::u16string& RawWord);

  const std::u16string& BaseWord() const { return _BaseWord; }
  const std::u16string& WordStressed() const { return _WordStressed; }
  const std::u16string& Radical() const { return _Radical; }
  const std::u16string& Ending() const { return _Ending; }
  bool DoneStressed() const { return _DoneStressed; }
  // DecidingTrace is the non-empty trace of the rule that stopped a chain, or empty when the
  // word went on to the dictionary step. Nothing that the record computes depends on it.
  const std::u16string& DecidingTrace() const { return _DecidingTrace; }

  // Process runs the stressing order: DoUltimate, DoPenUltimate, DoAntePenUltimate, stopping
  // at the first rule that reports; otherwise SplitWord and the dictionary lookup of Radical.
  void Process();

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
  std::u16string _BaseWord;
  std::u16string _WordStressed;
  std::u16string _Radical;
  std::u16string _Ending;
  bool _DoneStressed = false;
  std::u16string _DecidingTrace;
};

// The three chains, in the order their rules are tried (defined with the rule catalogue).
std::span<const TWordToStress::TRule> UltimateChain();
std::span<const TWordToStress::TRule> PenUltimateChain();
std::span<const TWordToStress::TRule> AntePenUltimateChain();

// LookUpDictionary returns the value of the first Dictionary line whose key equals word,
// ignoring ASCII case, with double quotation marks turned into grave accents; or word itself.
std::u16string LookUpDictionary(const std::u16string& word);

// CapitalsToAccents turns rule capitals into the display form: capital vowels become accented
// capitals, and the remaining ASCII capitals are lowercased unless the second character is a
// capital consonant.
std::u16string CapitalsToAccents(const std::u16string& text);

}  // namespace lexipulse
