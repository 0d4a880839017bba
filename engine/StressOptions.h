#pragma once

namespace lexipulse {

// TStressingOrder is the order in which the word record looks for the stress. RulesFirst is the
// program's own order and the default. DictionaryFirst looks the word up whole, then by the
// radical of its suffix split, and leaves to the rule chains only the words the dictionary lacks.
enum class TStressingOrder { RulesFirst, DictionaryFirst };

// TStressOptions are the choices of one run, passed by value to the pipeline and to each word
// record. The default value is the program's specified behaviour.
struct TStressOptions {
  TStressingOrder Order = TStressingOrder::RulesFirst;
  // Literal runs without the speed-ups: rule patterns through PCRE2's interpreter, dictionary
  // lookups by the scan of the joined list, no word remembered by the pipeline. Results are
  // identical; tests and benchmarks compare the two.
  bool Literal = false;
  // In the dictionary-first order a word of the heteronym table takes the form of the reading
  // its neighbours point to; off, it is looked up like any other word (for comparisons).
  bool Heteronyms = true;

  friend bool operator==(const TStressOptions&, const TStressOptions&) = default;
};

}  // namespace lexipulse
