#include "engine/Heteronyms.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

#include "engine/Resource.h"
#include "pattern/Lines.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// TCue is the kind of a neighbouring word that points to a reading.
enum class TCue : std::uint8_t {
  None,
  Determiner,
  Possessive,
  Quantifier,
  Preposition,
  To,
  Modal,
  Auxiliary,
  Not,
  SubjectPronoun,
  FrequencyAdverb,
  Be,
  Relative,
  Modifier,
  Count
};

// TNextCue is the kind of the word after: the start of an object, "of", or neither.
enum class TNextCue : std::uint8_t { None, Object, Of, Count };

struct TCueWords {
  TCue Cue;
  std::u16string_view Words;
};

// The words of each kind, separated by spaces. A word stands in one kind only.
constexpr TCueWords kCueWords[] = {
    {TCue::Determiner,
     u"the a an this these those every each no another any some either neither whose what"},
    {TCue::Possessive, u"my your his her its our their"},
    {TCue::Quantifier,
     u"many few several much more most all both less least enough two three four five six seven "
     u"eight nine ten first second third last"},
    {TCue::Preposition,
     u"of in on for with at by from into onto about without under over after before between "
     u"against during through throughout within upon among across toward towards via per like "
     u"than around behind beyond near off out"},
    {TCue::To, u"to"},
    {TCue::Modal, u"will would can could shall should may might must cannot"},
    {TCue::Auxiliary, u"do does did don't doesn't didn't won't can't wouldn't couldn't shouldn't"},
    {TCue::Not, u"not never"},
    {TCue::SubjectPronoun, u"i you he she we they"},
    {TCue::FrequencyAdverb,
     u"always often usually sometimes rarely seldom also frequently generally typically "
     u"eventually then later still just"},
    {TCue::Be, u"is are was were be been being am"},
    {TCue::Relative, u"which who that"},
};

// An object right after the word: a determiner, possessive or object pronoun.
constexpr std::u16string_view kObjectWords =
    u"the a an it them him her me us this these those his their its my your our some";

struct TViewHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view text) const {
    return std::hash<std::u16string_view>{}(text);
  }
};

template <typename TValue>
using TWordMap = std::unordered_map<std::u16string, TValue, TViewHash, std::equal_to<>>;

template <typename TValue>
void AddWords(std::u16string_view words, TValue value, TWordMap<TValue>& map) {
  std::size_t start = 0;
  while (start < words.size()) {
    std::size_t end = words.find(u' ', start);
    if (end == std::u16string_view::npos) end = words.size();
    map.emplace(std::u16string(words.substr(start, end - start)), value);
    start = end + 1;
  }
}

const TWordMap<TCue>& CueMap() {
  static const TWordMap<TCue> map = [] {
    TWordMap<TCue> built;
    for (const TCueWords& entry : kCueWords) AddWords(entry.Words, entry.Cue, built);
    return built;
  }();
  return map;
}

const TWordMap<TNextCue>& NextCueMap() {
  static const TWordMap<TNextCue> map = [] {
    TWordMap<TNextCue> built;
    AddWords(kObjectWords, TNextCue::Object, built);
    built.emplace(u"of", TNextCue::Of);
    return built;
  }();
  return map;
}

TCue CueOf(const std::u16string& word) {
  if (word.empty()) return TCue::None;
  if (word.ends_with(u"'s") || word.ends_with(u"s'")) return TCue::Possessive;
  if (std::ranges::all_of(word, [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    return TCue::Quantifier;
  }
  const auto found = CueMap().find(word);
  if (found != CueMap().end()) return found->second;
  // A word whose ending marks an adjective or participle describes a noun.
  for (const std::u16string_view ending : {u"al", u"ous", u"ful", u"ive", u"ic", u"able", u"ible",
                                           u"ant", u"ent", u"ary", u"less", u"ish", u"ing"}) {
    if (word.size() > ending.size() + 2 && word.ends_with(ending)) return TCue::Modifier;
  }
  return TCue::None;
}

TNextCue NextCueOf(const std::u16string& word) {
  const auto found = NextCueMap().find(word);
  return found == NextCueMap().end() ? TNextCue::None : found->second;
}

// PlainWord tells whether a neighbour is a word that is no cue of either kind.
bool PlainWord(const std::u16string& word) {
  return !word.empty() && CueOf(word) == TCue::None && NextCueOf(word) == TNextCue::None;
}

bool Has(const THeteronym& entry, THeteronymReading reading) {
  switch (reading) {
    case THeteronymReading::Noun:
      return !entry.Noun.empty();
    case THeteronymReading::Verb:
      return !entry.Verb.empty();
    case THeteronymReading::Adjective:
      return !entry.Adjective.empty();
  }
  return false;
}

// Available turns a reading the form lacks into the one it shares its stress with: an
// adjective is stressed as the noun and the other way round; a verb the form lacks gives way
// to the default.
THeteronymReading Available(const THeteronym& entry, THeteronymReading reading) {
  if (Has(entry, reading)) return reading;
  if (reading == THeteronymReading::Adjective && Has(entry, THeteronymReading::Noun)) {
    return THeteronymReading::Noun;
  }
  if (reading == THeteronymReading::Noun && Has(entry, THeteronymReading::Adjective)) {
    return THeteronymReading::Adjective;
  }
  return entry.Default;
}

std::u16string Quoted(const std::u16string& word) { return u"\"" + word + u"\""; }

THeteronymReading ParseReading(const std::string& name, std::size_t lineNumber) {
  if (name == "noun") return THeteronymReading::Noun;
  if (name == "verb") return THeteronymReading::Verb;
  if (name == "adjective") return THeteronymReading::Adjective;
  throw std::runtime_error("heteronym table line " + std::to_string(lineNumber) +
                           ": unknown reading " + name);
}

const TWordMap<THeteronym>& Table() {
  static const TWordMap<THeteronym> table = [] {
    TWordMap<THeteronym> built;
    const std::optional<std::string_view> bytes = FindResource("HETERONYMS");
    if (!bytes) throw std::runtime_error("Resource HETERONYMS not found");
    for (THeteronym& entry : ParseHeteronymTable(*bytes)) {
      std::u16string form = entry.Form;
      built.emplace(std::move(form), std::move(entry));
    }
    return built;
  }();
  return table;
}

}  // namespace

const std::u16string& THeteronym::Marked(THeteronymReading reading) const {
  switch (Available(*this, reading)) {
    case THeteronymReading::Noun:
      return Noun;
    case THeteronymReading::Verb:
      return Verb;
    case THeteronymReading::Adjective:
      return Adjective;
  }
  return Form;
}

const THeteronym* FindHeteronym(std::u16string_view form) {
  const auto found = Table().find(form);
  return found == Table().end() ? nullptr : &found->second;
}

std::uint16_t ContextClass(const TWordContext& context) {
  // The next word counts by its cue, and otherwise by whether it is a word without any cue
  // (which the adjective reading reads as the noun it describes); the word before the previous
  // one counts only after not or an adverb. Only what a decision reads is looked at.
  const TCue previous = CueOf(context.Previous);
  const TNextCue nextCue = NextCueOf(context.Next);
  const bool plainNext =
      nextCue == TNextCue::None && !context.Next.empty() && CueOf(context.Next) == TCue::None;
  const bool afterBe = (previous == TCue::Not || previous == TCue::FrequencyAdverb) &&
                       CueOf(context.BeforePrevious) == TCue::Be;
  const unsigned next = static_cast<unsigned>(nextCue) * 2 + (plainNext ? 1 : 0);
  const unsigned nextKinds = static_cast<unsigned>(TNextCue::Count) * 2;
  const unsigned cues = static_cast<unsigned>(previous) * nextKinds + next;
  return static_cast<std::uint16_t>((cues * 2 + (afterBe ? 1 : 0)) * 2 +
                                    (context.Capitalized ? 1 : 0));
}

THeteronymDecision DecideHeteronym(const THeteronym& entry, const TWordContext& context) {
  const auto decided = [&entry](THeteronymReading reading, std::u16string reason) {
    return THeteronymDecision{Available(entry, reading), std::move(reason)};
  };
  if (entry.Decided == THeteronymDecided::Form) {
    return decided(THeteronymReading::Verb,
                   entry.Form.ends_with(u"ing") ? u"-ing form" : u"-ed form");
  }
  if (entry.Decided == THeteronymDecided::Context) {
    if (context.Capitalized && Has(entry, THeteronymReading::Noun)) {
      return decided(THeteronymReading::Noun, u"capitalized inside a line");
    }
    const std::u16string after = u"after " + Quoted(context.Previous);
    const TCue previous = CueOf(context.Previous);
    // A form of be before not or an adverb still asks for the adjective (is not present).
    if ((previous == TCue::Not || previous == TCue::FrequencyAdverb) &&
        CueOf(context.BeforePrevious) == TCue::Be) {
      return decided(THeteronymReading::Adjective,
                     u"after " + Quoted(context.BeforePrevious + u" " + context.Previous));
    }
    switch (previous) {
      case TCue::Determiner:
      case TCue::Possessive:
      case TCue::Quantifier:
      case TCue::Preposition:
      case TCue::Modifier:
        // An adjective stressed apart from the noun stands before the noun it describes; after
        // a number or quantifier the word is a noun used as one (a ten minute walk).
        if (previous != TCue::Quantifier && Has(entry, THeteronymReading::Adjective) &&
            entry.Adjective != entry.Noun && PlainWord(context.Next)) {
          return decided(THeteronymReading::Adjective, u"before " + Quoted(context.Next));
        }
        return decided(THeteronymReading::Noun, after);
      case TCue::To:
      case TCue::Modal:
      case TCue::Auxiliary:
      case TCue::Not:
      case TCue::SubjectPronoun:
      case TCue::FrequencyAdverb:
      case TCue::Relative:
        return decided(THeteronymReading::Verb, after);
      case TCue::Be:
        return decided(THeteronymReading::Adjective, after);
      case TCue::None:
      case TCue::Count:
        break;
    }
    const std::u16string before = u"before " + Quoted(context.Next);
    switch (NextCueOf(context.Next)) {
      case TNextCue::Object:
        return decided(THeteronymReading::Verb, before);
      case TNextCue::Of:
        return decided(THeteronymReading::Noun, before);
      case TNextCue::None:
      case TNextCue::Count:
        break;
    }
  }
  return decided(entry.Default, u"more frequent reading");
}

std::u16string ReadingName(THeteronymReading reading) {
  switch (reading) {
    case THeteronymReading::Noun:
      return u"noun";
    case THeteronymReading::Verb:
      return u"verb";
    case THeteronymReading::Adjective:
      return u"adjective";
  }
  return u"";
}

std::vector<THeteronym> ParseHeteronymTable(std::string_view text) {
  std::vector<THeteronym> entries;
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    const TLineBreak found = FindLineBreak(text, start);
    const std::string_view line = text.substr(start, found.Position - start);
    start = found.Position + found.Length;
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    std::array<std::string, 6> fields;
    std::size_t field = 0;
    std::size_t from = 0;
    for (; field < fields.size(); ++field) {
      const std::size_t tab = line.find('\t', from);
      fields[field] =
          std::string(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    if (field != fields.size() - 1) {
      throw std::runtime_error("heteronym table line " + std::to_string(lineNumber) +
                               ": expected 6 tab-separated fields");
    }
    const auto marked = [](const std::string& value) {
      return value == "-" ? std::u16string() : Utf8ToUtf16(value);
    };
    THeteronym entry{Utf8ToUtf16(fields[0]), marked(fields[1]), marked(fields[2]),
                     marked(fields[3]), ParseReading(fields[4], lineNumber)};
    if (fields[5] == "context") {
      entry.Decided = THeteronymDecided::Context;
    } else if (fields[5] == "fixed") {
      entry.Decided = THeteronymDecided::Fixed;
    } else if (fields[5] == "form") {
      entry.Decided = THeteronymDecided::Form;
    } else {
      throw std::runtime_error("heteronym table line " + std::to_string(lineNumber) +
                               ": unknown way of deciding " + fields[5]);
    }
    if (!Has(entry, entry.Default)) {
      throw std::runtime_error("heteronym table line " + std::to_string(lineNumber) +
                               ": the default reading has no form");
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace lexipulse
