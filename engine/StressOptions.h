#pragma once

namespace lexipulse {

// TStressingOrder is the order in which the word record looks for the stress. RulesFirst is the
// program's own order and the default. DictionaryFirst looks the word up whole, then by the
// radical of its suffix split, and leaves to the rule chains only the words the dictionary lacks.
enum class TStressingOrder { RulesFirst, DictionaryFirst };

// TNotationStyle is how stressed words are written. Classic is the program's own notation:
// lowercased up to the last long word of a line, stress as accented capitals. Accents keeps the
// text as typed and puts an acute (a grave for secondary stress) on the stressed vowel letters.
// Highlight keeps the text as typed, unmarked, and reports the stressed letters so that a
// front end can draw them (the console writes HTML from them).
enum class TNotationStyle { Classic, Accents, Highlight };

// TSecondaryStress is which secondary stresses are marked: none, those before the primary
// stress (as dictionary respellings mark them), or all of them.
enum class TSecondaryStress { None, BeforePrimary, All };

// TVariant is the pronunciation whose stress is marked: the American of the dictionary, or
// the British, where a table of the words whose British primary stress differs overrides it.
enum class TVariant { American, British };

// TStressOptions are the choices of one run, passed by value to the pipeline and to each word
// record. The default value is the program's specified behaviour.
struct TStressOptions {
  TStressingOrder Order = TStressingOrder::RulesFirst;
  // Literal runs without the speed-ups: rule patterns through PCRE2's interpreter, dictionary
  // lookups by the scan of the joined list, no word remembered by the pipeline. Results are
  // identical; tests and benchmarks compare the two.
  bool Literal = false;
  TNotationStyle Style = TNotationStyle::Classic;
  TSecondaryStress Secondary = TSecondaryStress::None;
  TVariant Variant = TVariant::American;
  // In the dictionary-first order a word of the heteronym table takes the form of the reading
  // its neighbours point to; off, it is looked up like any other word (for comparisons).
  bool Heteronyms = true;

  friend bool operator==(const TStressOptions&, const TStressOptions&) = default;
};

}  // namespace lexipulse
