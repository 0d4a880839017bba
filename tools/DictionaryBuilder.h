#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexipulse {

// TMarkedWord is a source word with its marked form (dictionary notation).
struct TMarkedWord {
  std::string Word;
  std::u16string Marked;
};

// TDictionaryLine is one key=value line of the data.
struct TDictionaryLine {
  std::string Key;
  std::u16string Value;
};

// TStemChoice records a stem key that several words mark differently, and the value taken.
struct TStemChoice {
  std::string Radical;
  std::u16string Chosen;
  std::size_t Words = 0;
  std::size_t Agreeing = 0;
};

// TBuiltDictionary is the whole data, sorted by key, with the figures of its stem keys.
struct TBuiltDictionary {
  std::vector<TDictionaryLine> Lines;
  std::size_t WordKeys = 0;
  std::size_t StemKeys = 0;
  std::vector<TStemChoice> Collisions;
};

// SplitEnding splits a word as the program's suffix split does: a word of five letters or
// more loses the shortest of the endings s, ly, ed, ing, al, ary that ends it; a shorter word
// or one without such an ending is kept whole. Returns {radical, ending}.
std::pair<std::string, std::string> SplitEnding(std::string_view word);

// BuildDictionary makes one line per source word and one per radical of the suffix split that
// is not itself a source word, marked as the word marks those letters. When words give one
// radical different marks, the mark that most of them give is taken; a tie goes to the mark
// of the word first in byte order. A radical that is a source word keeps the word's own line.
TBuiltDictionary BuildDictionary(const std::vector<TMarkedWord>& words);

}  // namespace lexipulse
