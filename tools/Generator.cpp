#include "tools/Generator.h"

#include <memory>

#include "tools/StressMarker.h"

namespace lexipulse {

namespace {

constexpr std::size_t kExamples = 12;

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

TGeneration Generate(const TCmuSource& source, int trainingRounds) {
  TGeneration generation;
  generation.EligibleWords = source.Entries.size();
  TAligner& aligner = generation.Aligner;
  aligner.Train(source.Entries, trainingRounds);
  for (const TCmuEntry& entry : source.Entries) {
    const std::optional<TAlignment> alignment = aligner.Align(entry.Word, entry.Phonemes);
    if (!alignment) {
      generation.Unaligned.push_back({entry.Word, kTooManyPhonemes, ""});
      continue;
    }
    std::string untrusted;
    for (const TAlignedPair& step : alignment->Pairs) {
      bool primary = false;
      for (std::size_t p = 0; p < step.PhonemeCount; ++p) {
        primary = primary || StressOf(entry.Phonemes[step.PhonemeBegin + p]) == 1;
      }
      if (primary && !aligner.IsEstablished(entry.Word, entry.Phonemes, step)) {
        untrusted = TAligner::Describe(entry.Word, entry.Phonemes, step);
      }
    }
    if (!untrusted.empty()) {
      generation.Unaligned.push_back({entry.Word, kUnusualStressedSpelling, untrusted});
      continue;
    }
    const TStressMarking marking = MarkPrimaryStress(entry.Word, entry.Phonemes, *alignment);
    if (marking.PrimaryNuclei == 0) ++generation.WithoutPrimary;
    if (marking.UnspelledNuclei > 0) {
      ++generation.WithUnspelledNucleus;
      if (generation.UnspelledExamples.size() < kExamples) {
        generation.UnspelledExamples.push_back(entry.Word);
      }
    }
    generation.Marked.push_back({entry.Word, marking.Value});
  }
  generation.Dictionary = BuildDictionary(generation.Marked);
  return generation;
}

std::function<TDictionaryStep(const std::string&)> TableStep(const TBuiltDictionary& built) {
  auto values = std::make_shared<std::map<std::string, std::u16string>>();
  for (const TDictionaryLine& line : built.Lines) values->emplace(line.Key, line.Value);
  return [values](const std::string& word) {
    const auto [radical, ending] = SplitEnding(word);
    const auto found = values->find(radical);
    const std::u16string stem = found == values->end() ? Widen(radical) : found->second;
    return TDictionaryStep{Widen(radical), Widen(ending), stem + Widen(ending)};
  };
}

}  // namespace lexipulse
