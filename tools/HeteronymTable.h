#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/CmuSource.h"

namespace lexipulse {

// kHeteronymReadings names the readings in the order of the list's and the table's columns.
inline constexpr std::array<const char*, 3> kHeteronymReadings = {"noun", "verb", "adjective"};

// THeteronymListing is one line of the hand list: a form and, for each reading (noun, verb,
// adjective), the vowel group that carries its stress, counted from 1 (0: no such reading).
struct THeteronymListing {
  std::string Form;
  std::array<int, 3> Stress = {0, 0, 0};
  std::string Default;
  // Decided is "context" or "fixed".
  std::string Decided;
};

// ReadHeteronymList parses the tab-separated hand list (form, noun, verb, adjective, default,
// decided; '#' starts a comment line). Raises std::runtime_error naming the line for a
// malformed one: a form not of letters a-z, a stress that is not a number or "-", a default
// reading the word does not have, a form given twice.
std::vector<THeteronymListing> ReadHeteronymList(std::string_view text);

// VowelGroups returns the runs of vowel letters (a e i o u y) of a word as [begin, end)
// ranges, as the dictionary marks them: a u after g or q belongs to the consonant, a vowel
// after a y starts a new group (played: ay, e), and a y before a vowel at the start of a
// group is a consonant (yard).
std::vector<std::pair<std::size_t, std::size_t>> VowelGroups(std::string_view word);

// MarkVowelGroup writes the word with the vowel letters of group n (from 1) as accented
// capitals. Raises std::out_of_range when the word has fewer groups.
std::u16string MarkVowelGroup(std::string_view word, int n);

// THeteronymLine is one line of the generated table: a form, its marked form for each reading
// (empty when it has none), the default reading and how the reading is decided: "context",
// "fixed", or "form" (an -ed or -ing form, which takes the verb's stress).
struct THeteronymLine {
  std::string Form;
  std::array<std::u16string, 3> Marked;
  std::string Default;
  std::string Decided;
};

// THeteronymTable is the generated table, sorted by form, with what the report says of it.
struct THeteronymTable {
  std::vector<THeteronymLine> Lines;
  // For every listed reading: "form reading group: source" where source tells whether a CMU
  // pronunciation of the form stresses that syllable.
  std::vector<std::string> Readings;
  std::size_t FromCmu = 0;
  std::size_t ByHand = 0;
  std::size_t Unchecked = 0;
  // Source words with pronunciations stressed on different syllables that the list leaves out.
  std::vector<std::string> LeftOut;
};

// InflectedForm returns the first of the candidate spellings of a form's -s, -ed or -ing
// form (ending "s", "ed" or "ing") that is a source word, or empty text when none is.
std::string InflectedForm(const std::string& form, const std::string& ending,
                          const std::vector<std::string>& sourceWords);

// BuildHeteronymTable marks every listed reading by its vowel group, adds the -s, -ed and -ing
// forms that the source holds (the -s form keeps the noun and verb readings where they differ,
// the -ed and -ing forms take the verb's), and checks each listed reading against the source's
// pronunciations.
THeteronymTable BuildHeteronymTable(const std::vector<THeteronymListing>& list,
                                    const TCmuSource& source);

// EncodeHeteronymTable writes the table as UTF-8 text, one tab-separated line per form (form,
// noun, verb, adjective, default, decided; "-" for a missing reading) after a comment line.
std::string EncodeHeteronymTable(const THeteronymTable& table);

// HeteronymReport describes the table: figures, every listed reading with its source, and the
// source words left out.
std::string HeteronymReport(const THeteronymTable& table);

}  // namespace lexipulse
