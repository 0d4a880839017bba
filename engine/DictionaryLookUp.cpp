#include "engine/DictionaryLookUp.h"

#include <algorithm>
#include <string_view>

#include "engine/Dictionary.h"

namespace lexipulse {

std::u16string LookUpDictionary(const std::u16string& word, bool literal) {
  return FindInDictionary(word, literal).value_or(word);
}

std::optional<std::u16string> FindInDictionary(const std::u16string& word, bool literal) {
  if (!literal && DictionaryIndexed()) {
    const std::optional<std::u16string_view> value = FindIndexedValue(word);
    if (!value) {
      return std::nullopt;
    }
    std::u16string result(*value);
    std::ranges::replace(result, u'"', u'`');
    return result;
  }
  // The scan gives the word itself for an absent word, which an entry of an unmarked form
  // would also give; either way the word comes out as it is.
  std::u16string result = ScanDictionary(word, literal);
  if (result == word) {
    return std::nullopt;
  }
  return result;
}

}  // namespace lexipulse
