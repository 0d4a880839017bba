#include "tools/Aligner.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace lexipulse {

namespace {

constexpr std::array<const char*, 39> kPhonemes = {
    "AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D", "DH", "EH", "ER", "EY",
    "F",  "G",  "HH", "IH", "IY", "JH", "K",  "L",  "M", "N",  "NG", "OW", "OY",
    "P",  "R",  "S",  "SH", "T",  "TH", "UH", "UW", "V", "W",  "Y",  "Z",  "ZH"};

// Starting weights, as pseudo-counts: the usual spellings of a sound, the less usual ones,
// and the rare ones that still occur in ordinary words.
constexpr double kUsual = 20000;
constexpr double kLessUsual = 2000;
constexpr double kRare = 200;

// The seed round scores the table as if it had been counted over a corpus of this many steps,
// the size of the real one, so its costs are on the scale that training later produces.
constexpr double kSeedCorpus = 800000;
// After the seed round the table stays as a weak prior beside the real counts.
constexpr double kPriorShare = 0.05;
// A single-letter step outside the table counts as seen this often, plus a class penalty
// that keeps two phonemes on one letter the last resort.
constexpr double kUnseenPseudoCount = 2;
constexpr std::array<double, 3> kUnseenPenalty = {0.0, 0.0, 2.0};
// A step used at least this often in the last round is an established correspondence.
constexpr std::size_t kEstablishedCount = 3;

constexpr std::size_t kMaxLetterGroup = 3;
constexpr std::size_t kMaxPhonemeGroup = 2;

struct TSeedRow {
  const char* Letters;
  // Alternatives separated by ',', phonemes by spaces; an empty alternative is a silent group.
  const char* Phonemes;
  double Weight;
};

constexpr TSeedRow kSeedTable[] = {
    // Single vowel letters.
    {"a", "AE,AH,AA,EY", kUsual},
    {"a", "AO,EH,IH,ER,", kLessUsual},
    {"e", "EH,IY,AH,IH,", kUsual},
    {"e", "EY,ER", kLessUsual},
    {"e", "Y", kRare},
    {"i", "IH,AY,AH,IY", kUsual},
    {"i", "ER,Y,", kLessUsual},
    {"i", "Y AH", kRare},
    {"o", "AA,OW,AH,AO", kUsual},
    {"o", "UW,UH,ER,", kLessUsual},
    {"o", "W AH,W,IH", kRare},
    {"u", "AH,UW,UH", kUsual},
    {"u", "Y UW,Y AH,Y UH,W,ER,IH,", kLessUsual},
    {"u", "Y ER,EH", kRare},
    {"y", "IY,IH,AY,Y", kUsual},
    {"y", "AH,", kLessUsual},
    // Single consonant letters.
    {"b", "B", kUsual},
    {"b", "", kLessUsual},
    {"c", "K,S", kUsual},
    {"c", "CH,SH,", kLessUsual},
    {"d", "D", kUsual},
    {"d", "T,JH", kLessUsual},
    {"d", "", kRare},
    {"f", "F", kUsual},
    {"f", "V", kRare},
    {"g", "G,JH", kUsual},
    {"g", "ZH,", kLessUsual},
    {"h", "HH,", kUsual},
    {"j", "JH", kUsual},
    {"j", "Y,HH,ZH", kLessUsual},
    {"k", "K", kUsual},
    {"k", "", kLessUsual},
    {"l", "L", kUsual},
    {"l", "", kLessUsual},
    {"l", "AH L", kRare},
    {"m", "M", kUsual},
    {"m", "AH M", kRare},
    {"n", "N", kUsual},
    {"n", "NG", kLessUsual},
    {"n", "AH N", kRare},
    {"p", "P", kUsual},
    {"p", "", kLessUsual},
    {"q", "K", kUsual},
    {"r", "R", kUsual},
    {"r", "ER", kLessUsual},
    {"s", "S,Z", kUsual},
    {"s", "SH,ZH,", kLessUsual},
    {"t", "T", kUsual},
    {"t", "SH,CH,", kLessUsual},
    {"v", "V", kUsual},
    {"w", "W", kUsual},
    {"w", "", kLessUsual},
    {"x", "K S", kUsual},
    {"x", "G Z,Z,K SH", kLessUsual},
    {"z", "Z", kUsual},
    {"z", "S,ZH,T S", kLessUsual},
    // Consonant digraphs and trigraphs.
    {"th", "TH,DH", kUsual},
    {"sh", "SH", kUsual},
    {"ch", "CH", kUsual},
    {"ch", "K,SH", kLessUsual},
    {"ph", "F", kUsual},
    {"ck", "K", kUsual},
    {"ng", "NG", kUsual},
    {"qu", "K W", kUsual},
    {"qu", "K", kLessUsual},
    {"gu", "G", kLessUsual},
    {"gh", "G,F,", kLessUsual},
    {"wh", "W,HH", kLessUsual},
    {"wr", "R", kLessUsual},
    {"kn", "N", kLessUsual},
    {"gn", "N", kLessUsual},
    {"mb", "M", kLessUsual},
    {"dg", "JH", kLessUsual},
    {"ps", "S", kLessUsual},
    {"sc", "S", kLessUsual},
    {"ti", "SH", kLessUsual},
    {"ci", "SH", kLessUsual},
    {"si", "ZH,SH", kLessUsual},
    {"ce", "SH", kRare},
    {"tch", "CH", kLessUsual},
    {"sch", "SH,S K", kRare},
    {"le", "AH L", kLessUsual},
    {"cc", "K,K S", kLessUsual},
    {"zz", "Z,T S", kLessUsual},
    {"ss", "S,SH,Z", kLessUsual},
    {"gg", "G", kLessUsual},
    // Vowel digraphs and trigraphs, r-coloured groups included.
    {"er", "ER", kUsual},
    {"ee", "IY", kUsual},
    {"ea", "IY", kUsual},
    {"oo", "UW", kUsual},
    {"ou", "AW", kUsual},
    {"ow", "OW", kUsual},
    {"ai", "EY", kUsual},
    {"ay", "EY", kUsual},
    {"oa", "OW", kUsual},
    {"ea", "EH,EY,IH,AH", kLessUsual},
    {"ee", "IH", kLessUsual},
    {"ei", "EY,IY,AY,EH", kLessUsual},
    {"ey", "IY,EY", kLessUsual},
    {"ai", "EH,AH", kLessUsual},
    {"oa", "AO", kLessUsual},
    {"oo", "UH,AH", kLessUsual},
    {"ou", "UW,AH,OW,AO,UH,ER", kLessUsual},
    {"ow", "AW", kLessUsual},
    {"oi", "OY", kLessUsual},
    {"oi", "W AA,W AY", kRare},
    {"oy", "OY", kLessUsual},
    {"au", "AO,AA", kLessUsual},
    {"aw", "AO", kLessUsual},
    {"ie", "IY,AY,IH", kLessUsual},
    {"ue", "UW,Y UW", kLessUsual},
    {"ui", "UW,IH", kLessUsual},
    {"ew", "UW,Y UW", kLessUsual},
    {"ew", "OW", kRare},
    {"eu", "UW,Y UW", kLessUsual},
    {"ae", "EH,IY", kLessUsual},
    {"oe", "OW,IY", kLessUsual},
    {"uy", "AY", kLessUsual},
    {"ir", "ER", kLessUsual},
    {"ur", "ER", kLessUsual},
    {"or", "ER", kLessUsual},
    {"ar", "ER", kLessUsual},
    {"ear", "ER", kLessUsual},
    {"our", "ER", kLessUsual},
    {"igh", "AY", kLessUsual},
    {"eau", "OW,Y UW", kLessUsual},
    {"iew", "Y UW", kLessUsual},
    {"ieu", "UW", kRare},
    {"eye", "AY", kRare},
    {"aa", "AA", kRare},
};

// Doubled consonants spell the single consonant.
constexpr std::array<const char*, 14> kDoubled = {"bb", "dd", "ff", "kk", "ll", "mm", "nn",
                                                  "pp", "rr", "tt", "vv", "ww", "cc", "ss"};

int LetterCode(char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 1 : 0; }

int PhonemeCode(const std::string& phoneme) {
  const std::string base = StripStress(phoneme);
  for (std::size_t i = 0; i < kPhonemes.size(); ++i) {
    if (base == kPhonemes[i]) return static_cast<int>(i) + 1;
  }
  return 0;
}

// PairKey packs up to three letter codes (5 bits each) and two phoneme codes (6 bits each).
std::uint32_t PairKey(const int* letters, std::size_t letterCount, const int* phonemes,
                      std::size_t phonemeCount) {
  std::uint32_t key = 0;
  for (std::size_t i = 0; i < letterCount; ++i)
    key |= static_cast<std::uint32_t>(letters[i]) << (5 * i);
  for (std::size_t i = 0; i < phonemeCount; ++i) {
    key |= static_cast<std::uint32_t>(phonemes[i]) << (15 + 6 * i);
  }
  return key;
}

std::vector<int> LetterCodes(std::string_view word) {
  std::vector<int> codes;
  for (char c : word) codes.push_back(LetterCode(c));
  return codes;
}

std::vector<int> PhonemeCodes(const std::vector<std::string>& phonemes) {
  std::vector<int> codes;
  for (const std::string& p : phonemes) codes.push_back(PhonemeCode(p));
  return codes;
}

void AddSeed(std::unordered_map<std::uint32_t, double>& seed, std::string_view letters,
             std::string_view alternatives, double weight) {
  std::vector<int> letterCodes = LetterCodes(letters);
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = alternatives.find(',', start);
    std::string_view alternative = alternatives.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    std::vector<int> phonemeCodes;
    std::size_t pos = 0;
    while (pos < alternative.size()) {
      std::size_t space = alternative.find(' ', pos);
      if (space == std::string_view::npos) space = alternative.size();
      const int code = PhonemeCode(std::string(alternative.substr(pos, space - pos)));
      if (code == 0) throw std::logic_error("unknown phoneme in the seed table");
      phonemeCodes.push_back(code);
      pos = space + 1;
    }
    seed[PairKey(letterCodes.data(), letterCodes.size(), phonemeCodes.data(),
                 phonemeCodes.size())] += weight;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

}  // namespace

std::string StripStress(const std::string& phoneme) {
  if (!phoneme.empty() && phoneme.back() >= '0' && phoneme.back() <= '2') {
    return phoneme.substr(0, phoneme.size() - 1);
  }
  return phoneme;
}

int StressOf(const std::string& phoneme) {
  if (!phoneme.empty() && phoneme.back() >= '0' && phoneme.back() <= '2') {
    return phoneme.back() - '0';
  }
  return -1;
}

TAligner::TAligner() {
  for (const TSeedRow& row : kSeedTable) AddSeed(_Seed, row.Letters, row.Phonemes, row.Weight);
  for (const char* doubled : kDoubled) {
    const std::string single(1, doubled[0]);
    for (const TSeedRow& row : kSeedTable) {
      if (single == row.Letters && row.Weight == kUsual) {
        AddSeed(_Seed, doubled, row.Phonemes, kLessUsual);
      }
    }
  }
  for (const auto& [key, weight] : _Seed) {
    _SeedTotal += weight;
    _Costs[key] = std::log(kSeedCorpus / weight);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    _UnseenCost[i] = std::log(kSeedCorpus / kUnseenPseudoCount) + kUnseenPenalty[i];
  }
}

double TAligner::Cost(std::uint32_t key, std::size_t letterCount, std::size_t phonemeCount) const {
  const auto found = _Costs.find(key);
  if (found != _Costs.end()) return found->second;
  if (letterCount == 1) return _UnseenCost[phonemeCount];
  return std::numeric_limits<double>::infinity();
}

std::optional<TAlignment> TAligner::AlignCodes(const std::vector<int>& letters,
                                               const std::vector<int>& phonemes) const {
  const std::size_t n = letters.size();
  const std::size_t m = phonemes.size();
  if (std::find(letters.begin(), letters.end(), 0) != letters.end() ||
      std::find(phonemes.begin(), phonemes.end(), 0) != phonemes.end() || m > 2 * n) {
    return std::nullopt;
  }
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const std::size_t width = m + 1;
  std::vector<double> best((n + 1) * width, kInfinity);
  std::vector<TAlignedPair> back((n + 1) * width);
  best[0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j <= m; ++j) {
      const double here = best[i * width + j];
      if (here == kInfinity) continue;
      for (std::size_t lc = 1; lc <= kMaxLetterGroup && i + lc <= n; ++lc) {
        for (std::size_t pc = 0; pc <= kMaxPhonemeGroup && j + pc <= m; ++pc) {
          const std::uint32_t key = PairKey(&letters[i], lc, &phonemes[j], pc);
          const double cost = here + Cost(key, lc, pc);
          const std::size_t to = (i + lc) * width + j + pc;
          if (cost < best[to]) {
            best[to] = cost;
            back[to] = {i, lc, j, pc};
          }
        }
      }
    }
  }
  if (best[n * width + m] == kInfinity) return std::nullopt;
  TAlignment alignment;
  alignment.Cost = best[n * width + m];
  for (std::size_t at = n * width + m; at != 0;) {
    const TAlignedPair& step = back[at];
    alignment.Pairs.push_back(step);
    at = step.LetterBegin * width + step.PhonemeBegin;
  }
  std::reverse(alignment.Pairs.begin(), alignment.Pairs.end());
  return alignment;
}

std::optional<TAlignment> TAligner::Align(std::string_view word,
                                          const std::vector<std::string>& phonemes) const {
  return AlignCodes(LetterCodes(word), PhonemeCodes(phonemes));
}

void TAligner::Train(const std::vector<TCmuEntry>& entries, int iterations) {
  std::vector<std::vector<int>> letterCodes;
  std::vector<std::vector<int>> phonemeCodes;
  letterCodes.reserve(entries.size());
  phonemeCodes.reserve(entries.size());
  for (const TCmuEntry& entry : entries) {
    letterCodes.push_back(LetterCodes(entry.Word));
    phonemeCodes.push_back(PhonemeCodes(entry.Phonemes));
  }
  for (int round = 0; round < iterations; ++round) {
    std::unordered_map<std::uint32_t, std::size_t> counts;
    std::size_t total = 0;
    for (std::size_t w = 0; w < entries.size(); ++w) {
      const std::optional<TAlignment> alignment = AlignCodes(letterCodes[w], phonemeCodes[w]);
      if (!alignment) continue;
      for (const TAlignedPair& step : alignment->Pairs) {
        ++counts[PairKey(&letterCodes[w][step.LetterBegin], step.LetterCount,
                         &phonemeCodes[w][step.PhonemeBegin], step.PhonemeCount)];
        ++total;
      }
    }
    const double denominator = static_cast<double>(total) + kPriorShare * _SeedTotal;
    std::unordered_map<std::uint32_t, double> costs;
    for (const auto& [key, weight] : _Seed) {
      const auto counted = counts.find(key);
      const double count = counted == counts.end() ? 0.0 : static_cast<double>(counted->second);
      costs[key] = std::log(denominator / (count + kPriorShare * weight));
    }
    for (const auto& [key, count] : counts) {
      if (!_Seed.contains(key)) costs[key] = std::log(denominator / static_cast<double>(count));
    }
    for (std::size_t i = 0; i < 3; ++i) {
      _UnseenCost[i] = std::log(denominator / kUnseenPseudoCount) + kUnseenPenalty[i];
    }
    _Costs = std::move(costs);
    _Counts = std::move(counts);
  }
}

bool TAligner::IsEstablished(std::string_view word, const std::vector<std::string>& phonemes,
                             const TAlignedPair& pair) const {
  const std::vector<int> letters = LetterCodes(word.substr(pair.LetterBegin, pair.LetterCount));
  std::vector<std::string> group(
      phonemes.begin() + static_cast<std::ptrdiff_t>(pair.PhonemeBegin),
      phonemes.begin() + static_cast<std::ptrdiff_t>(pair.PhonemeBegin + pair.PhonemeCount));
  const std::vector<int> codes = PhonemeCodes(group);
  const std::uint32_t key = PairKey(letters.data(), letters.size(), codes.data(), codes.size());
  if (_Seed.contains(key)) return true;
  const auto counted = _Counts.find(key);
  return counted != _Counts.end() && counted->second >= kEstablishedCount;
}

std::string TAligner::Describe(std::string_view word, const std::vector<std::string>& phonemes,
                               const TAlignedPair& pair) {
  std::string text(word.substr(pair.LetterBegin, pair.LetterCount));
  text += '=';
  for (std::size_t i = 0; i < pair.PhonemeCount; ++i) {
    if (i > 0) text += ' ';
    text += phonemes[pair.PhonemeBegin + i];
  }
  return text;
}

}  // namespace lexipulse
