#include "tools/British.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "pattern/Utf.h"
#include "tools/StressLevels.h"

namespace lexipulse {

namespace {

struct TSymbol {
  std::string_view Ipa;
  std::string_view Arpabet;
  bool Vowel;
};

// The British phonemes as the nearest CMU phoneme; a vowel without an r stays without one.
constexpr TSymbol kSymbols[] = {
    {"a\u026A", "AY", true},
    {"a\u028A", "AW", true},
    {"e\u026A", "EY", true},
    {"i\u02D0", "IY", true},
    {"u\u02D0", "UW", true},
    {"\u0251\u02D0", "AA", true},
    {"\u0254\u026A", "OY", true},
    {"\u0254\u02D0", "AO", true},
    {"\u0259\u028A", "OW", true},
    {"\u025B\u0259", "EH", true},
    {"\u025C\u02D0", "ER", true},
    {"\u026A\u0259", "IH", true},
    {"\u028A\u0259", "UH", true},
    {"i", "IY", true},
    {"\u00E6", "AE", true},
    {"\u0250", "AH", true},
    {"\u0252", "AA", true},
    {"\u0259", "AH", true},
    {"\u025B", "EH", true},
    {"\u026A", "IH", true},
    {"\u028A", "UH", true},
    {"d\u0292", "JH", false},
    {"t\u0283", "CH", false},
    {"b", "B", false},
    {"d", "D", false},
    {"f", "F", false},
    {"g", "G", false},
    {"h", "HH", false},
    {"j", "Y", false},
    {"k", "K", false},
    {"l", "L", false},
    {"m", "M", false},
    {"n", "N", false},
    {"p", "P", false},
    {"s", "S", false},
    {"t", "T", false},
    {"v", "V", false},
    {"w", "W", false},
    {"z", "Z", false},
    {"\u00F0", "DH", false},
    {"\u014B", "NG", false},
    {"\u0279", "R", false},
    {"\u0283", "SH", false},
    {"\u0292", "ZH", false},
    {"\u03B8", "TH", false},
    {"x", "K", false},
};

constexpr std::u16string_view kAccentedCapitals = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
constexpr std::string_view kPrimaryMark = "\u02C8";
constexpr std::string_view kSecondaryMark = "\u02CC";

const TSymbol* FindSymbol(std::string_view ipa) {
  for (const TSymbol& symbol : kSymbols) {
    if (symbol.Ipa == ipa) return &symbol;
  }
  return nullptr;
}

bool IsVowelSymbol(const std::string& arpabet) {
  return arpabet.size() == 2 &&
         std::string_view("AEIOU").find(arpabet[0]) != std::string_view::npos;
}

std::vector<std::string_view> Fields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

// Cost of putting British phoneme b against CMU phoneme c (both without stress).
double SubstitutionCost(const std::string& c, const std::string& b) {
  if (c == b) return 0;
  const bool cv = IsVowelSymbol(c);
  const bool bv = IsVowelSymbol(b);
  if (cv && bv) return 1;
  if (!cv && !bv) return 2;
  return 5;
}

double GapCost(const std::string& phoneme) {
  if (phoneme == "R") return 0.5;  // the r a non-rhotic accent does not say
  return IsVowelSymbol(phoneme) ? 1.5 : 2;
}

// MatchVowels aligns the British phonemes to CMU's and returns, for each British phoneme, the
// index of the CMU phoneme it stands against, or npos.
std::vector<std::size_t> MatchPhonemes(const std::vector<std::string>& cmu,
                                       const std::vector<std::string>& british) {
  const std::size_t n = cmu.size();
  const std::size_t m = british.size();
  std::vector<std::vector<double>> cost(n + 1, std::vector<double>(m + 1, 0));
  for (std::size_t i = 1; i <= n; ++i) cost[i][0] = cost[i - 1][0] + GapCost(cmu[i - 1]);
  for (std::size_t j = 1; j <= m; ++j) cost[0][j] = cost[0][j - 1] + GapCost(british[j - 1]);
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = 1; j <= m; ++j) {
      cost[i][j] = std::min({cost[i - 1][j - 1] + SubstitutionCost(cmu[i - 1], british[j - 1]),
                             cost[i - 1][j] + GapCost(cmu[i - 1]),
                             cost[i][j - 1] + GapCost(british[j - 1])});
    }
  }
  std::vector<std::size_t> match(m, std::numeric_limits<std::size_t>::max());
  for (std::size_t i = n, j = m; i > 0 || j > 0;) {
    if (i > 0 && j > 0 &&
        cost[i][j] == cost[i - 1][j - 1] + SubstitutionCost(cmu[i - 1], british[j - 1])) {
      match[j - 1] = i - 1;
      --i;
      --j;
    } else if (i > 0 && cost[i][j] == cost[i - 1][j] + GapCost(cmu[i - 1])) {
      --i;
    } else {
      --j;
    }
  }
  return match;
}

}  // namespace

std::map<std::string, TBritfoneEntry> ReadBritfone(std::string_view csv) {
  std::map<std::string, TBritfoneEntry> entries;
  std::size_t lineNumber = 0;
  for (std::string_view line : Fields(csv, '\n')) {
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::size_t comma = line.find(", ");
    if (comma == std::string_view::npos) {
      throw std::runtime_error("britfone line " + std::to_string(lineNumber) + ": no ', '");
    }
    std::string word(line.substr(0, comma));
    const std::size_t open = word.find('(');
    if (open != std::string::npos) {
      if (word.substr(open) != "(1)") continue;  // a later pronunciation
      word.erase(open);
    }
    if (word.empty() || !std::ranges::all_of(word, [](char c) { return c >= 'A' && c <= 'Z'; })) {
      continue;
    }
    std::ranges::transform(word, word.begin(), [](char c) { return static_cast<char>(c + 32); });
    TBritfoneEntry entry;
    for (std::string_view symbol : Fields(line.substr(comma + 2), ' ')) {
      int stress = 0;
      if (symbol.starts_with(kPrimaryMark)) {
        stress = 1;
        symbol.remove_prefix(kPrimaryMark.size());
      } else if (symbol.starts_with(kSecondaryMark)) {
        stress = 2;
        symbol.remove_prefix(kSecondaryMark.size());
      }
      const TSymbol* found = FindSymbol(symbol);
      if (found == nullptr) {
        throw std::runtime_error("britfone line " + std::to_string(lineNumber) +
                                 ": unknown symbol '" + std::string(symbol) + "'");
      }
      entry.Phonemes.emplace_back(found->Arpabet);
      entry.Stress.push_back(found->Vowel ? stress : -1);
    }
    entries.emplace(word, std::move(entry));
  }
  return entries;
}

std::map<std::string, std::string> ReadRejected(std::string_view text) {
  std::map<std::string, std::string> rejected;
  for (std::string_view line : Fields(text, '\n')) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) throw std::runtime_error("hand-check line without a tab");
    rejected.emplace(std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)));
  }
  return rejected;
}

TBritishTable BuildBritishTable(const TCmuSource& source, const TAligner& aligner,
                                const std::map<std::string, TBritfoneEntry>& britfone,
                                const std::map<std::string, std::string>& rejected) {
  TBritishTable table;
  for (const TCmuEntry& entry : source.Entries) {
    const auto found = britfone.find(entry.Word);
    if (found == britfone.end()) continue;
    ++table.Shared;
    const TBritfoneEntry& british = found->second;
    std::vector<std::string> cmu;
    std::vector<std::size_t> cmuPrimary;
    for (std::size_t i = 0; i < entry.Phonemes.size(); ++i) {
      cmu.push_back(StripStress(entry.Phonemes[i]));
      if (StressOf(entry.Phonemes[i]) == 1) cmuPrimary.push_back(i);
    }
    const std::vector<std::size_t> match = MatchPhonemes(cmu, british.Phonemes);
    std::vector<int> stress(entry.Phonemes.size(), 0);
    bool unmatched = false;
    std::size_t britishPrimary = std::numeric_limits<std::size_t>::max();
    for (std::size_t j = 0; j < british.Phonemes.size(); ++j) {
      if (british.Stress[j] <= 0) continue;
      const std::size_t i = match[j];
      if (i >= cmu.size() || !IsVowelSymbol(cmu[i])) {
        unmatched = unmatched || british.Stress[j] == 1;
        continue;
      }
      stress[i] = british.Stress[j];
      if (british.Stress[j] == 1 && britishPrimary == std::numeric_limits<std::size_t>::max()) {
        britishPrimary = i;
      }
    }
    if (cmuPrimary.empty()) continue;
    const auto checked = rejected.find(entry.Word);
    const bool byHand = checked != rejected.end() && checked->second.starts_with("= ");
    if (byHand) {
      const std::optional<TAlignment> alignment = aligner.Align(entry.Word, entry.Phonemes);
      table.Lines.push_back(
          {entry.Word, alignment ? MarkStressLevels(entry.Word, entry.Phonemes, *alignment) : u"",
           Utf8ToUtf16(checked->second.substr(2))});
      ++table.ByHand;
      continue;
    }
    if (unmatched) {
      table.Unmatched.push_back(entry.Word);
      continue;
    }
    if (britishPrimary == std::numeric_limits<std::size_t>::max() ||
        std::ranges::find(cmuPrimary, britishPrimary) != cmuPrimary.end()) {
      if (cmuPrimary.size() > 1 && britishPrimary != std::numeric_limits<std::size_t>::max()) {
        table.StressedTwice.push_back(entry.Word);
      }
      continue;
    }
    const std::optional<TAlignment> alignment = aligner.Align(entry.Word, entry.Phonemes);
    if (!alignment) continue;
    std::vector<std::string> restressed = entry.Phonemes;
    for (std::size_t i = 0; i < restressed.size(); ++i) {
      if (StressOf(restressed[i]) >= 0) restressed[i] = cmu[i] + std::to_string(stress[i]);
    }
    const std::u16string britishForm = MarkStressLevels(entry.Word, restressed, *alignment);
    const std::u16string americanForm = MarkStressLevels(entry.Word, entry.Phonemes, *alignment);
    if (britishForm == americanForm) continue;
    if (britishForm.find_first_of(kAccentedCapitals) == std::u16string::npos) continue;
    if (checked != rejected.end()) {
      table.Rejected.emplace_back(entry.Word, checked->second);
      continue;
    }
    table.Lines.push_back({entry.Word, americanForm, britishForm});
  }
  std::ranges::sort(table.Lines, {}, &TBritishDifference::Word);
  return table;
}

}  // namespace lexipulse
