#include "engine/Dictionary.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/DictionaryDecoder.h"
#include "engine/DictionaryIndex.h"
#include "engine/DictionaryScan.h"
#include "engine/Resource.h"
#include "pattern/Lines.h"

namespace lexipulse {

namespace {

// The lines themselves; everyone else reads them through the const Dictionary, so nothing can
// change them behind the index's back.
std::vector<std::u16string> dictionaryLines;

}  // namespace

const std::vector<std::u16string>& Dictionary = dictionaryLines;

namespace {

// What the lookups read besides Dictionary itself, rebuilt whenever Dictionary is replaced.
struct TDictionaryState {
  bool Indexable = true;
  TDictionaryIndex Index;
  TDictionaryScanner Scanner;
};

TDictionaryState& State() {
  static TDictionaryState state;
  return state;
}

TDictionaryState BuildState(const std::vector<std::u16string>& lines) {
  TDictionaryState state;
  state.Indexable = state.Index.Build(lines);
  return state;
}

// DictionaryLines breaks the text at CR LF, lone CR and lone LF; a break at the very end adds
// no empty line.
std::vector<std::u16string> DictionaryLines(std::u16string_view text) {
  std::vector<std::u16string> lines = SplitLines(text);
  if (!lines.empty() && lines.back().empty()) {
    lines.pop_back();
  }
  return lines;
}

}  // namespace

void LoadDictionary(const std::string& resourceName) {
  const auto bytes = FindResource(resourceName);
  if (!bytes) {
    throw std::runtime_error("Resource " + resourceName + " not found");
  }
  LoadDictionaryFromBytes(*bytes);
}

void LoadDictionaryFromBytes(std::string_view bytes) {
  SetDictionaryLines(DictionaryLines(DecodeDictionaryBytes(bytes)));
}

void SetDictionaryLines(std::vector<std::u16string> lines) {
  // The index holds views into the lines, so it is built over them where they will live; the
  // strings keep their place when the vector is moved, should the build fail.
  std::vector<std::u16string> previous = std::exchange(dictionaryLines, std::move(lines));
  try {
    State() = BuildState(Dictionary);
  } catch (...) {
    dictionaryLines = std::move(previous);
    throw;
  }
}

void FreeDictionary() {
  dictionaryLines = std::vector<std::u16string>();
  State() = TDictionaryState();
}

bool DictionaryIndexed() { return State().Indexable; }

std::optional<std::u16string_view> FindIndexedValue(std::u16string_view word) {
  return State().Index.Find(word);
}

std::u16string ScanDictionary(const std::u16string& word, bool literal) {
  return State().Scanner.Scan(Dictionary, word, literal);
}

}  // namespace lexipulse
