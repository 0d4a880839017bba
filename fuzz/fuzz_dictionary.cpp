#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Dictionary.h"
#include "fuzz/FuzzText.h"
#include "pattern/CaseMapping.h"

namespace lexipulse {
namespace {

constexpr std::size_t kWordsPerInput = 16;

bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

// WordsToLookUp takes runs of word characters from the loaded lines (keys and values alike),
// each also in capitals, since the lookups ignore ASCII case.
std::vector<std::u16string> WordsToLookUp() {
  std::vector<std::u16string> words;
  for (const std::u16string& line : Dictionary) {
    for (std::size_t i = 0; i < line.size() && words.size() < kWordsPerInput;) {
      const std::size_t start = i;
      while (i < line.size() && IsWordChar(line[i])) {
        ++i;
      }
      if (i > start) {
        words.push_back(line.substr(start, i - start));
        words.push_back(AsciiUpperCase(words.back()));
      }
      ++i;
    }
  }
  return words;
}

std::size_t LineBreakBytes(std::string_view bytes) {
  return static_cast<std::size_t>(
      std::ranges::count_if(bytes, [](char b) { return b == '\r' || b == '\n'; }));
}

}  // namespace
}  // namespace lexipulse

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lexipulse;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SetDictionaryLines({u"before=bef\u00D3re"});
  try {
    LoadDictionaryFromBytes(bytes);
  } catch (const std::runtime_error&) {
    // Undecodable data is refused as a whole; the list in use stays as it was.
    FuzzCheck(Dictionary == std::vector<std::u16string>{u"before=bef\u00D3re"},
              "a refused load changed the dictionary");
    return 0;
  }
  FuzzCheck(Dictionary.size() <= LineBreakBytes(bytes) + 1, "more lines than line breaks + 1");
  for (const std::u16string& line : Dictionary) {
    FuzzCheck(line.find_first_of(u"\r\n") == std::u16string::npos, "a line holds a line break");
  }
  if (!DictionaryIndexed()) {
    return 0;
  }
  for (const std::u16string& word : WordsToLookUp()) {
    const std::optional<std::u16string_view> indexed = FindIndexedValue(word);
    std::u16string expected = indexed ? std::u16string(*indexed) : word;
    std::ranges::replace(expected, u'"', u'`');
    FuzzCheck(ScanDictionary(word) == expected, "the index and the scan disagree");
  }
  return 0;
}
