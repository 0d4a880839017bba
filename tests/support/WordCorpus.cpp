#include "tests/support/WordCorpus.h"

#include <array>
#include <string_view>

namespace lexipulse {

namespace {

constexpr std::u16string_view kLetters = u"abcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kVowels = u"aeiouy";
constexpr std::u16string_view kWordExtras = u"0123456789_";

// Beginnings and endings that the rule patterns look for, so that words near their edges occur.
constexpr std::array<std::u16string_view, 16> kPrefixes = {
    u"",   u"a",  u"ad", u"ab",  u"in",   u"im",  u"dis",   u"re",
    u"un", u"de", u"sc", u"pre", u"over", u"con", u"trans", u"e"};
constexpr std::array<std::u16string_view, 32> kSuffixes = {
    u"",     u"s",     u"ed",  u"ing",   u"ly",  u"able",  u"ible",  u"ably",
    u"ity",  u"ities", u"al",  u"ary",   u"ory", u"ories", u"ee",    u"oon",
    u"ette", u"ese",   u"ic",  u"ical",  u"ism", u"ist",   u"ation", u"ative",
    u"ntal", u"scent", u"sis", u"itude", u"ive", u"ian",   u"ogue",  u"graphy"};

std::u16string RandomLetters(TCorpusRandom& random, std::size_t length) {
  std::u16string word;
  for (std::size_t i = 0; i < length; ++i) word += kLetters[random.Below(kLetters.size())];
  return word;
}

}  // namespace

std::uint64_t TCorpusRandom::Next() {
  std::uint64_t z = (_State += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::vector<std::u16string> DictionaryKeys(const std::vector<std::u16string>& lines) {
  std::vector<std::u16string> keys;
  keys.reserve(lines.size());
  for (const std::u16string& line : lines) {
    const std::size_t equals = line.find(u'=');
    if (equals != std::u16string::npos && equals > 0) keys.push_back(line.substr(0, equals));
  }
  return keys;
}

std::u16string VowelHeavyWord(TCorpusRandom& random, std::size_t length) {
  std::u16string word;
  for (std::size_t i = 0; i < length; ++i) {
    word += random.Below(3) < 2 ? kVowels[random.Below(kVowels.size())]
                                : kLetters[random.Below(kLetters.size())];
  }
  return word;
}

std::vector<std::u16string> DifferentialCorpus(const std::vector<std::u16string>& dictionaryLines,
                                               std::size_t generatedCount, std::uint64_t seed) {
  std::vector<std::u16string> corpus = DictionaryKeys(dictionaryLines);
  const std::vector<std::u16string> keys = corpus;
  TCorpusRandom random(seed);
  const auto someKey = [&] {
    return keys.empty() ? RandomLetters(random, 6) : keys[random.Below(keys.size())];
  };
  for (std::size_t i = 0; i < generatedCount; ++i) {
    std::u16string word;
    switch (i % 5) {
      case 0:
        word = RandomLetters(random, 1 + random.Below(16));
        break;
      case 1:
        word = VowelHeavyWord(random, 1 + random.Below(16));
        break;
      case 2:
        word = std::u16string(kPrefixes[random.Below(kPrefixes.size())]) + someKey() +
               std::u16string(kSuffixes[random.Below(kSuffixes.size())]);
        break;
      case 3: {
        word = someKey();
        const std::size_t extras = 1 + random.Below(3);
        for (std::size_t e = 0; e < extras; ++e) {
          word.insert(random.Below(word.size() + 1), 1,
                      kWordExtras[random.Below(kWordExtras.size())]);
        }
        break;
      }
      default: {
        // A lone surrogate anywhere in a word, the end included, where \z and the word
        // boundaries meet bytes that are not valid UTF-8.
        word = std::u16string(kPrefixes[random.Below(kPrefixes.size())]) + someKey();
        const char16_t surrogate = static_cast<char16_t>(0xD800 + random.Below(0x800));
        word.insert(random.Below(word.size() + 1), 1, surrogate);
        break;
      }
    }
    corpus.push_back(std::move(word));
  }
  return corpus;
}

}  // namespace lexipulse
