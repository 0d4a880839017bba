#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// TCmuEntry is one eligible source word with the phonemes of its first pronunciation, each
// phoneme as written in the source (vowels carry their stress digit: AH0, EY1, AO2).
struct TCmuEntry {
  std::string Word;
  std::vector<std::string> Phonemes;
};

// TCmuSource is what the reader keeps of the package's data file: the eligible words in
// source order and, for the report, how many entries it left out and why.
struct TCmuSource {
  std::vector<TCmuEntry> Entries;
  std::map<std::string, std::size_t> Skipped;
  // Later holds the later pronunciations ("word(2)", ...) of words of letters a-z, in source
  // order, for the tools that compare a word's readings; the dictionary uses only the first.
  std::map<std::string, std::vector<std::vector<std::string>>> Later;
};

// ReadCmuSource parses the text of the package's index.js, an object literal with one
// "word": "PHONEMES # comment" member per line; a variant is written "word(2)". It keeps the
// first, unnumbered pronunciation of every word of 2 to 21 letters a-z and raises
// std::runtime_error for a member line it cannot parse, so a changed format never passes
// silently.
TCmuSource ReadCmuSource(std::string_view text);

// ReadCmuSourceFile reads and parses the file at that path; raises std::runtime_error when it
// cannot be read.
TCmuSource ReadCmuSourceFile(const std::string& path);

}  // namespace lexipulse
