#include "engine/Notation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/NotationTable.h"
#include "engine/uStressRules.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kVowels = u"aeiouy";
constexpr std::u16string_view kCapitalVowels = u"AEIOUY";
constexpr std::u16string_view kSmallAcute = u"\u00E1\u00E9\u00ED\u00F3\u00FA\u00FD";
constexpr std::u16string_view kCapitalAcute = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
constexpr std::u16string_view kSmallGrave = u"\u00E0\u00E8\u00EC\u00F2\u00F9\u1EF3";
constexpr std::u16string_view kCapitalGrave = u"\u00C0\u00C8\u00CC\u00D2\u00D9\u1EF2";

constexpr std::size_t kSplitMinLength = 5;
constexpr std::array<std::u16string_view, 6> kEndings = {u"s", u"ly", u"ed", u"al", u"ing", u"ary"};

bool IsVowel(char16_t c) { return kVowels.find(c) != kVowels.npos; }

char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

// Fits tells whether display spells run letter for letter, marks and case aside, so that its
// positions are the run's.
bool Fits(std::u16string_view run, std::u16string_view display) {
  if (run.size() != display.size()) return false;
  for (std::size_t i = 0; i < run.size(); ++i) {
    if (AsciiLower(UnmarkedLetter(display[i])) != run[i]) return false;
  }
  return true;
}

// TPositions are letter positions of one form; NotationOfForm keeps them in a buffer on its
// stack, as a cache miss would otherwise cost several small allocations.
using TPositions = std::pmr::vector<std::size_t>;

// LevelOf is the stress a letter of a display form marks: an accented capital the primary, a
// lowercase grave vowel the secondary; nothing for any other character.
std::optional<TStressLevel> LevelOf(char16_t c) {
  if (kCapitalAcute.find(c) != kCapitalAcute.npos) return TStressLevel::Primary;
  if (kSmallGrave.find(c) != kSmallGrave.npos) return TStressLevel::Secondary;
  return std::nullopt;
}

// MarksOf adds the positions of the primary-stress letters and of the secondary-stress letters
// of display to primary and secondary.
void MarksOf(std::u16string_view display, TPositions& primary, TPositions& secondary) {
  for (std::size_t i = 0; i < display.size(); ++i) {
    if (const std::optional<TStressLevel> level = LevelOf(display[i])) {
      (*level == TStressLevel::Primary ? primary : secondary).push_back(i);
    }
  }
}

bool HasMarks(std::u16string_view display) {
  return std::ranges::any_of(display, [](char16_t c) { return LevelOf(c).has_value(); });
}

// SameSyllables tells whether the nucleus letters in nuclei mark the syllables that the
// letters of marked mark: each is one of them, and each group of adjacent marked letters
// holds one.
bool SameSyllables(std::span<const std::size_t> marked, std::span<const std::size_t> nuclei) {
  if (marked.empty() || nuclei.empty()) return false;
  for (const std::size_t n : nuclei) {
    if (!std::ranges::binary_search(marked, n)) return false;
  }
  for (std::size_t begin = 0; begin < marked.size();) {
    std::size_t end = begin + 1;
    while (end < marked.size() && marked[end] == marked[end - 1] + 1) ++end;
    const bool held = std::any_of(nuclei.begin(), nuclei.end(), [&](std::size_t n) {
      return n >= marked[begin] && n <= marked[end - 1];
    });
    if (!held) return false;
    begin = end;
  }
  return true;
}

// StressLevelsOf puts into levels the stress-levels line for run: its own, or, for a word the
// dictionary does not hold, that of the radical of its suffix split with the ending after it;
// false when there is none. A radical of one syllable says nothing about the word, whose
// ending may add one.
bool StressLevelsOf(const std::u16string& run, bool literal, std::pmr::u16string& levels) {
  const TNotationTable& table = StressLevelsTable();
  if (const auto whole = table.Find(run)) {
    levels.assign(*whole);
    return true;
  }
  if (run.size() < kSplitMinLength || FindInDictionary(run, literal)) return false;
  for (const std::u16string_view ending : kEndings) {
    if (!run.ends_with(ending)) continue;
    const auto found = table.Find(std::u16string_view(run).substr(0, run.size() - ending.size()));
    if (!found || !HasMarks(*found)) return false;
    levels.assign(*found);
    levels.append(ending);
    return true;
  }
  return false;
}

// Choose builds the notation from the primary and secondary letters found for the run.
TRunNotation Choose(std::u16string_view display, std::span<const std::size_t> primary,
                    TPositions secondary, TStressOptions options) {
  TRunNotation notation{std::u16string(display), {}, false};
  if (primary.empty() || options.Secondary == TSecondaryStress::None) {
    secondary.clear();
  } else if (options.Secondary == TSecondaryStress::BeforePrimary) {
    std::erase_if(secondary, [&](std::size_t s) { return s > primary.front(); });
  }
  for (const std::size_t s : secondary) {
    const std::size_t at = kVowels.find(notation.Classic[s]);
    if (at != kVowels.npos) notation.Classic[s] = kSmallGrave[at];
  }
  // The classic style shows its form alone and needs no letters.
  if (options.Style == TNotationStyle::Classic) return notation;
  notation.Letters.reserve(primary.size() + secondary.size());
  for (const std::size_t p : primary) notation.Letters.push_back({p, TStressLevel::Primary});
  for (const std::size_t s : secondary) notation.Letters.push_back({s, TStressLevel::Secondary});
  std::ranges::sort(notation.Letters, {}, &TStressedLetter::Position);
  return notation;
}

// VowelsAfterCapitals finds the stressed vowel of a rule form whose capitals are consonants
// only (STable): the vowel letters that follow the first group of capitals.
void VowelsAfterCapitals(std::u16string_view display, TPositions& vowels) {
  std::size_t at = 0;
  while (at < display.size() && !(display[at] >= u'A' && display[at] <= u'Z')) ++at;
  while (at < display.size() && !IsVowel(AsciiLower(display[at]))) ++at;
  for (; at < display.size() && IsVowel(AsciiLower(display[at])); ++at) vowels.push_back(at);
}

bool IsPlain(TStressOptions options) {
  return options.Style == TNotationStyle::Classic && options.Secondary == TSecondaryStress::None;
}

}  // namespace

char16_t MarkedLetter(char16_t letter, TStressLevel level) {
  std::size_t at = 0;
  bool capital = false;
  switch (letter) {
    case u'y':
      ++at;
      [[fallthrough]];
    case u'u':
      ++at;
      [[fallthrough]];
    case u'o':
      ++at;
      [[fallthrough]];
    case u'i':
      ++at;
      [[fallthrough]];
    case u'e':
      ++at;
      [[fallthrough]];
    case u'a':
      break;
    case u'A':
    case u'E':
    case u'I':
    case u'O':
    case u'U':
    case u'Y':
      at = kCapitalVowels.find(letter);
      capital = true;
      break;
    default:
      return letter;
  }
  if (level == TStressLevel::Primary) return capital ? kCapitalAcute[at] : kSmallAcute[at];
  return capital ? kCapitalGrave[at] : kSmallGrave[at];
}

char16_t UnmarkedLetter(char16_t marked) {
  // The accented vowels of the notation lie in U+00C0-U+00FD, but for the y with a grave.
  if (marked < 0x00C0) return marked;
  if (marked == 0x1EF3) return u'y';
  if (marked == 0x1EF2) return u'Y';
  if (marked > 0x00FD) return marked;
  for (const std::u16string_view set : {kSmallAcute, kSmallGrave}) {
    if (const std::size_t at = set.find(marked); at != set.npos) return kVowels[at];
  }
  for (const std::u16string_view set : {kCapitalAcute, kCapitalGrave}) {
    if (const std::size_t at = set.find(marked); at != set.npos) return kCapitalVowels[at];
  }
  return marked;
}

std::vector<TStressedLetter> StressedLetters(std::u16string_view display) {
  std::vector<TStressedLetter> letters;
  for (std::size_t i = 0; i < display.size(); ++i) {
    if (const std::optional<TStressLevel> level = LevelOf(display[i])) {
      letters.push_back({i, *level});
    }
  }
  return letters;
}

void ApplyAccents(std::u16string& text, const std::vector<TStressedLetter>& letters,
                  std::size_t offset) {
  for (const TStressedLetter& letter : letters) {
    const std::size_t at = offset + letter.Position;
    if (at < text.size()) text[at] = MarkedLetter(text[at], letter.Level);
  }
}

bool LooksMonosyllabic(std::u16string_view word) {
  std::size_t groups = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const bool vowel = IsVowel(word[i]) && !(word[i] == u'y' && i == 0) &&
                       !(word[i] == u'u' && i > 0 && word[i - 1] == u'q');
    const bool previous = i > 0 && IsVowel(word[i - 1]) && !(word[i - 1] == u'y' && i == 1) &&
                          !(word[i - 1] == u'u' && i > 1 && word[i - 2] == u'q');
    if (vowel && !previous) ++groups;
  }
  if (groups <= 1) return true;
  if (groups > 2) return false;
  const std::size_t n = word.size();
  auto consonantAt = [&](std::size_t i) { return i < n && !IsVowel(word[i]); };
  // A final e after a consonant is silent (stroke), unless it ends a syllabic -le (table).
  if (word.ends_with(u'e') && n >= 2 && consonantAt(n - 2)) {
    return !(word[n - 2] == u'l' && n >= 3 && consonantAt(n - 3));
  }
  // The e of -es is silent unless a hissing sound comes before it (hopes, not horses).
  if (word.ends_with(u"es") && n >= 3 && consonantAt(n - 3)) {
    return std::u16string_view(u"sxzcgh").find(word[n - 3]) == std::u16string_view::npos;
  }
  // The e of -ed is silent unless t or d comes before it (jumped, not needed or agreed).
  if (word.ends_with(u"ed") && n >= 3) {
    return word[n - 3] != u't' && word[n - 3] != u'd' && word[n - 3] != u'e';
  }
  return false;
}

bool TouchesForeignLetter(std::u16string_view left, std::u16string_view right) {
  auto isForeignLetter = [](char16_t c) {
    return (c >= 0x00C0 && c <= 0x036F && c != 0x00D7 && c != 0x00F7) ||
           (c >= 0x0370 && c <= 0x052F) || (c >= 0x1DC0 && c <= 0x1EFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F) || c == 0x00AA ||
           c == 0x00B5 || c == 0x00BA;
  };
  return (!left.empty() && isForeignLetter(left.back())) ||
         (!right.empty() && isForeignLetter(right.front()));
}

TRunNotation NotationOfForm(const std::u16string& run, const std::u16string& display,
                            TStressOptions options) {
  if (IsPlain(options)) return {display, {}, false};
  if (!Fits(run, display)) return {display, {}, false};
  std::array<std::byte, 1024> buffer;
  std::pmr::monotonic_buffer_resource memory(buffer.data(), buffer.size());
  TPositions primary(&memory);
  TPositions secondary(&memory);
  MarksOf(display, primary, secondary);
  if (primary.empty()) VowelsAfterCapitals(display, primary);
  // A form that carries its own secondary stress (the British table's) is taken as it is.
  if (!secondary.empty()) {
    std::pmr::u16string plain(display, &memory);
    for (const std::size_t s : secondary) plain[s] = UnmarkedLetter(plain[s]);
    return Choose(plain, primary, std::move(secondary), options);
  }
  std::pmr::u16string levels(&memory);
  const bool found = StressLevelsOf(run, options.Literal, levels);
  if (found && Fits(run, levels)) {
    TPositions nuclei(&memory);
    TPositions levelSecondary(&memory);
    MarksOf(levels, nuclei, levelSecondary);
    if (nuclei.empty() && levelSecondary.empty())
      return Choose(display, {}, TPositions(&memory), options);
    if (SameSyllables(primary, nuclei)) {
      return Choose(display, nuclei, std::move(levelSecondary), options);
    }
  } else if (!found && LooksMonosyllabic(run) && !FindInDictionary(run, options.Literal)) {
    primary.clear();
  }
  return Choose(display, primary, TPositions(&memory), options);
}

TRunNotation NoteRun(const std::u16string& run, TStressOptions options, TWordContext context) {
  if (options.Variant == TVariant::British) {
    if (std::optional<std::u16string> form = LookUpWithEnding(BritishTable(), run)) {
      // The classic form shows the British primary stress in capitals, as the dictionary does.
      std::u16string display = *form;
      if (IsPlain(options)) {
        for (char16_t& c : display) {
          if (kSmallGrave.find(c) != kSmallGrave.npos) c = UnmarkedLetter(c);
        }
      }
      TRunNotation notation = NotationOfForm(run, display, options);
      notation.British = true;
      return notation;
    }
  }
  TWordToStress word(run, options, std::move(context));
  word.Process();
  return NotationOfForm(run, CapitalsToAccents(word.WordStressed()), options);
}

}  // namespace lexipulse
