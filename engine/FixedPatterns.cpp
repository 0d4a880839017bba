#include "engine/FixedPatterns.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/Exceptions.h"
#include "engine/RuleSteps.h"
#include "pattern/Pattern.h"

namespace lexipulse {

namespace {

constexpr std::u16string_view kFirstSyllableGreekPattern =
    uR"re(([eiuoay]+)?([bcdfghjklmnpqrstvwxz]+)([eiuoay])([eiuoay]+)?(\w+)?(logue|log|morph|scope|phone|game|gone|lith|gramme|gram|graph|chron|ton|phon|mac|nom|iatr|tom|metr|nym|plast|soph|plex|trop|met|path|pex|crat|crac)(d|s)?(ly)?\b)re";
constexpr std::u16string_view kGreekPattern =
    uR"re((\w+)([eiuoay])(logu|log|rrhaph|morph|scop|phon|gam|gon|gram|graph|chron|ton|phon|mac|nom|iatr|tom|metr|nym|plast|soph|plex|trop|met|path|pex|crat|crac)(er|y|ies|ize|ist|ous)(d|s)?(ly)?)re";
constexpr std::u16string_view kCameroonPattern = uR"re((\w+)(oo|ee)([lnmr])?(|s|ed|d)\z)re";
constexpr std::u16string_view kFrenchPattern =
    uR"re(([é\w]+)(ette|ade|ee|esqu|iqu|ée|é|ading|oir)(e|s|d)\z)re";
constexpr std::u16string_view kChinesePattern = uR"re((\w+)([bcdefghjklmnpqrstvwxz]+)(e)(se)\z)re";
constexpr std::u16string_view kDescendPattern =
    uR"re((\w+)?(sc)(e)(((nd)(ism)?([ae]ntl?y?|ingl?y?|able|[ae]nc[ey]|er|ism|ist|o|ed)?[^ae]?(s|ly)?)))re";
constexpr std::u16string_view kPriorityPattern =
    uR"re((\w+)?([bcdefghjklmnpqrstvwxz]+)?([aeiouy]+)(([bcdefghijklmnpqrstvwxz]+)?([ie]t)(y|ize|ies)(s|d)?))re";
constexpr std::u16string_view kClassifiedPattern =
    uR"re((\w+)?([bcdefghjklmnpqrstvwxz]+?)([aeiouy])([bcdefghjklmnpqrstvwxz]+)([aeiouy])(fy|fie)(d|s)?(ly)?)re";
constexpr std::u16string_view kBulgarianPattern =
    uR"re((\w+)([bcdefghjklmnpqrstvwxz]+?[aeiouy])([bcdefghjklmnpqurstvwxz]+)([eiu][aeuo][nemltsrucda]+)(s|)(|ize|ary|aries|ari|al|an|ism)(|ism|ist)(|d|s)(|ly)\z)re";
constexpr std::u16string_view kPolishPattern =
    uR"re((\w+)?([bcdefghjklmnpqrstvwxz]+?)([eiuoay]+)?([eiuoay])([bcdfghjklmnpqrstuvwxz]{1,4})((ic|ish|it|id)(ing|ment)?(s|al|an|ism)?(ism|ist)?(ed|ing)?(ly)?))re";
constexpr std::u16string_view kSpectatorPattern =
    uR"re((\w+)?([aeiouy]+)([bcdefghjklmnpqrstvwxz]+?[aeiouy]+?[bcdefghjklmnpqrstvwxz]+?[aeiouy]+)?(([bcdfghjklmnpqrstvwxz]+)([aeiouy]+)?([bcdefghjklmnpqrstvwxz]+)?(ate|ator|ating|ative|acy|ately)(|ment)(|d|s|al|ism)(|ism|ist)(|ed|d)(|ly))\b)re";
constexpr std::u16string_view kPsittacosisPattern =
    uR"re((\w+)(a|o|i)(xis|tis|sis|tes|ses|sis|ses)\z)re";
constexpr std::u16string_view kAnemiaPattern =
    uR"re((\w+)?([bcdefghjklmnpqrstvwxz]+)?([aeiouy])(([bcdefghjklmnpqurstvwxz]+)?([iu][aeuo]+)(s|e|l|n)?(s)?))re";
constexpr std::u16string_view kMementoPattern = uR"re((\w+)(a|o|e)(n?[dt][uaoe]+[s|m]?))re";
constexpr std::u16string_view kTranscendentalPattern =
    uR"re((\w+)?(e|o|u|i|a)((ntal)(ly|ism|ist)?(s|d)?))re";
constexpr std::u16string_view kVolublePattern =
    uR"re((a|ad|ab|in|im|dis|re|)(\w+)(upl|abl|ibl|ubl)(e|y)\z)re";
constexpr std::u16string_view kSenescencePattern =
    uR"re((\w+)([bcdefghjklmnpqrstvwxz]+)?([eiuo])((sc)(ence|ent)[^ei]?(al|ism)?(|ism|ist)?(s|ly)?))re";
constexpr std::u16string_view kDistributivePattern =
    uR"re((\w+)?(([bcdefghjklmnpqrstvwxz]+)?[aeiouy])([bcdefghjklmnpqrstvwxz]+)([eiu]tiv|[eiuoay]tude)(|e|s|al|ism)(|ism|ist)(|ly)\z)re";
// Only these letters may follow the vowel that UpperLastVowel capitalises.
constexpr std::u16string_view kUpperLastVowelPattern =
    uR"re((\w+)?([aeiouy]+?)([bcdefghjklmnpqrstvwxz]+)?\b)re";
constexpr std::u16string_view kSplitWordPattern = u"(.+)(ing|ed|ly|s|edly|ingly|ary|iary|al|'s)\\b";
constexpr std::u16string_view kWordRunPattern = u"\\b(\\w+)\\b";

bool IsAsciiWordRun(std::u16string_view subject) {
  return !subject.empty() && std::ranges::all_of(subject, [](char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
  });
}

struct TNamed {
  std::u16string_view Name;
  std::u16string Text;
  std::vector<std::u16string> AnyOf = {};
};

std::vector<TFixedPattern> BuildTable() {
  const std::array<TNamed, static_cast<std::size_t>(TFixedPatternId::WordRun) + 1> named = {{
      {u"FirstSyllableGreek",
       std::u16string(kFirstSyllableGreekPattern),
       {u"log",   u"morph", u"scope", u"phon", u"game", u"gone", u"lith", u"gram", u"graph",
        u"chron", u"ton",   u"mac",   u"nom",  u"iatr", u"tom",  u"metr", u"nym",  u"plast",
        u"soph",  u"plex",  u"trop",  u"met",  u"path", u"pex",  u"crat", u"crac"}},
      {u"Greek",
       std::u16string(kGreekPattern),
       {u"log",   u"rrhaph", u"morph", u"scop", u"phon", u"gam", u"gon",  u"gram", u"graph",
        u"chron", u"ton",    u"mac",   u"nom",  u"iatr", u"tom", u"metr", u"nym",  u"plast",
        u"soph",  u"plex",   u"trop",  u"met",  u"path", u"pex", u"crat", u"crac"}},
      {u"Cameroon", std::u16string(kCameroonPattern), {u"oo", u"ee"}},
      {u"French", std::u16string(kFrenchPattern)},
      {u"Chinese", std::u16string(kChinesePattern)},
      {u"Descend", std::u16string(kDescendPattern), {u"scend"}},
      {u"Priority",
       std::u16string(kPriorityPattern),
       {u"ity", u"itiz", u"itie", u"ety", u"etiz", u"etie"}},
      {u"Classified", std::u16string(kClassifiedPattern), {u"fy", u"fie"}},
      {u"Bulgarian", std::u16string(kBulgarianPattern)},
      {u"Polish", std::u16string(kPolishPattern)},
      {u"Spectator", std::u16string(kSpectatorPattern), {u"at", u"acy"}},
      {u"Psittacosis",
       std::u16string(kPsittacosisPattern),
       {u"xis", u"tis", u"sis", u"tes", u"ses"}},
      {u"Anemia", std::u16string(kAnemiaPattern)},
      {u"Oratory", OratoryPattern()},
      {u"Memento", std::u16string(kMementoPattern)},
      {u"Transcendental", std::u16string(kTranscendentalPattern), {u"ntal"}},
      {u"Voluble", std::u16string(kVolublePattern), {u"upl", u"abl", u"ibl", u"ubl"}},
      {u"Pestiferous", PestiferousPattern(), {u"iz", u"ous"}},
      {u"Senescence", std::u16string(kSenescencePattern), {u"scen"}},
      {u"Distributive", std::u16string(kDistributivePattern), {u"tiv", u"tude"}},
      {u"UpperLastVowel", std::u16string(kUpperLastVowelPattern)},
      {u"SplitWord", std::u16string(kSplitWordPattern)},
      {u"WordRun", std::u16string(kWordRunPattern)},
  }};
  std::vector<TFixedPattern> table;
  for (const TNamed& entry : named) {
    table.push_back({std::u16string(entry.Name), entry.Text, entry.AnyOf});
  }
  const auto addExceptions = [&table](std::u16string_view rule,
                                      std::span<const std::u16string_view> list) {
    for (const std::u16string_view entry : list) {
      const std::u16string_view word = entry.substr(0, entry.find(u'|'));
      table.push_back(
          {std::u16string(rule) + u" exception " + std::u16string(word), std::u16string(word)});
    }
  };
  addExceptions(u"Cameroon", CameroonExceptions);
  addExceptions(u"French", FrenchExceptions);
  addExceptions(u"Chinese", ChineseExceptions);
  addExceptions(u"Polish", PolishExceptions);
  return table;
}

const std::vector<TFixedPattern>& Table() {
  static const std::vector<TFixedPattern> table = BuildTable();
  return table;
}

}  // namespace

const TFixedPattern& FixedPattern(TFixedPatternId id) {
  return Table()[static_cast<std::size_t>(id)];
}

const std::u16string& FixedPatternText(TFixedPatternId id) { return FixedPattern(id).Text; }

std::span<const TFixedPattern> FixedPatterns() { return Table(); }

unsigned SearchOptions(std::u16string_view pattern, std::u16string_view subject) {
  const bool leadingRun = pattern.starts_with(u"(\\w+)") || pattern.starts_with(u"([é\\w]+)");
  return preCaseLess | (leadingRun && IsAsciiWordRun(subject) ? preAnchored : 0);
}

bool MayMatch(const TFixedPattern& pattern, std::u16string_view subject) {
  if (pattern.AnyOf.empty() || !IsAsciiWordRun(subject)) return true;
  // Words are short: the lowered copy lives on the stack.
  constexpr std::size_t kOnStack = 64;
  std::array<char16_t, kOnStack> buffer;
  std::u16string heap;
  char16_t* copy = buffer.data();
  if (subject.size() > kOnStack) {
    heap.resize(subject.size());
    copy = heap.data();
  }
  std::ranges::transform(subject, copy, [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  });
  const std::u16string_view lowered(copy, subject.size());
  return std::ranges::any_of(pattern.AnyOf, [lowered](const std::u16string& text) {
    return lowered.find(text) != std::u16string_view::npos;
  });
}

TPattern& FixedMatcher(TFixedPatternId id, const std::u16string& subject, bool jit) {
  constexpr std::size_t kNamed = static_cast<std::size_t>(TFixedPatternId::WordRun) + 1;
  // One object per pattern, anchoring and matcher.
  thread_local std::array<std::unique_ptr<TPattern>, kNamed * 4> matchers;
  const std::u16string& text = FixedPatternText(id);
  const unsigned options = SearchOptions(text, subject);
  const std::size_t slot =
      static_cast<std::size_t>(id) * 4 + ((options & preAnchored) != 0 ? 2 : 0) + (jit ? 1 : 0);
  std::unique_ptr<TPattern>& matcher = matchers[slot];
  if (!matcher) {
    matcher = std::make_unique<TPattern>();
    matcher->SetJit(jit);
    matcher->SetRegEx(text);
    matcher->SetOptions(options);
  }
  matcher->SetSubject(subject);
  return *matcher;
}

}  // namespace lexipulse
