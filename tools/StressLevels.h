#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Aligner.h"
#include "tools/CmuSource.h"
#include "tools/DictionaryBuilder.h"

namespace lexipulse {

// MarkStressLevels writes a word with the vowel letters of the letter group that spells each
// stressed vowel phoneme marked: stress 1 as accented capitals (Á), stress 2 as lowercase
// grave vowels (à è ì ò ù ỳ). Unlike the dictionary's marks, only the nucleus is marked:
// silent vowel letters beside it stay plain (dÍamond, guÝ, not dÍÁmond, gÚÝ). A word of one
// vowel phoneme is written without any mark.
std::u16string MarkStressLevels(std::string_view word, const std::vector<std::string>& phonemes,
                                const TAlignment& alignment);

// MarkPrimaryNucleus marks only the primary stress the same way, whatever the number of
// syllables: the vowel letters of each letter group that spells a stress-1 phoneme.
std::u16string MarkPrimaryNucleus(std::string_view word, const std::vector<std::string>& phonemes,
                                  const TAlignment& alignment);

// TStressLevelsTable is the stress-levels table with the figures of its generation.
struct TStressLevelsTable {
  std::vector<TDictionaryLine> Lines;
  std::size_t WithSecondary = 0;
  std::size_t OneSyllable = 0;
  std::size_t NucleusOnly = 0;
};

// BuildStressLevels aligns every marked word of the generation again and keeps a line for each
// whose stress-levels form differs from its dictionary value: a secondary stress, a word of
// one syllable, or a primary stress narrowed to its nucleus. Lines come sorted by key.
TStressLevelsTable BuildStressLevels(const TCmuSource& source, const TAligner& aligner,
                                     const std::vector<TMarkedWord>& marked);

// EncodeNotationTable writes lines as UTF-8 key=value text with a line feed after each.
std::string EncodeNotationTable(const std::vector<TDictionaryLine>& lines);

}  // namespace lexipulse
