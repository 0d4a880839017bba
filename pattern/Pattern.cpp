#include "pattern/Pattern.h"

#include <pcre2.h>

#include <cstdio>
#include <map>
#include <utility>

#include "pattern/CaseMapping.h"
#include "pattern/Template.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// Room for groups 0-99; a match whose highest group is above 99 does not fit and counts as none.
constexpr std::uint32_t kOffsetPairs = 100;

constexpr char kRegExRequired[] = "A regular expression specified in RegEx is required";
constexpr char kMatchRequired[] = "Successful match required";

// Unpaired surrogates arrive as three-byte forms that are not valid UTF-8; with
// PCRE2_MATCH_INVALID_UTF they are never matched instead of failing the search.
constexpr std::uint32_t kBaseCompileOptions = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;

// PCRE2 10.42's JIT misses matches of a pattern with an empty alternative in a group, such as
// (a|dis|)(\w+)(abl)(e)\z on "disable", when the start-of-match optimisations are on; without
// them it gives the interpreter's answer. They speed the other patterns up by a fifth, so only
// a pattern with such an alternative (or an escaped bar that looks like one) goes without.
bool HoldsEmptyAlternative(const std::string& pattern) {
  return pattern.find("(|") != std::string::npos || pattern.find("|)") != std::string::npos ||
         pattern.find("||") != std::string::npos;
}

// HoldsLoneSurrogate tells whether UTF-8 bytes hold the three-byte form of an unpaired
// surrogate (ED A0-BF ..). Around such bytes the JIT and the interpreter disagree (the
// interpreter lets \z match just before them), so those subjects go to the interpreter.
bool HoldsLoneSurrogate(const std::string& bytes) {
  for (std::size_t at = bytes.find('\xED'); at != std::string::npos;
       at = bytes.find('\xED', at + 1)) {
    if (at + 1 < bytes.size() && (static_cast<unsigned char>(bytes[at + 1]) & 0xE0) == 0xA0) {
      return true;
    }
  }
  return false;
}

struct TCodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct TMatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct TMatchContextDeleter {
  void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct TCompileContextDeleter {
  void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};

std::uint32_t CompileWord(TPatternOptions options) {
  std::uint32_t word = kBaseCompileOptions;
  if (options & preCaseLess) word |= PCRE2_CASELESS;
  if (options & preMultiLine) word |= PCRE2_MULTILINE;
  if (options & preSingleLine) word |= PCRE2_DOTALL;
  if (options & preExtended) word |= PCRE2_EXTENDED;
  if (options & preAnchored) word |= PCRE2_ANCHORED;
  if (options & preUnGreedy) word |= PCRE2_UNGREEDY;
  if (options & preNoAutoCapture) word |= PCRE2_NO_AUTO_CAPTURE;
  return word;
}

std::uint32_t MatchWord(TPatternState state) {
  std::uint32_t word = 0;
  if (state & preNotBOL) word |= PCRE2_NOTBOL;
  if (state & preNotEOL) word |= PCRE2_NOTEOL;
  if (state & preNotEmpty) word |= PCRE2_NOTEMPTY;
  return word;
}

// BudgetContext is the match context that carries the work budget; contexts are read-only
// during a match, so one serves every search.
pcre2_match_context* BudgetContext() {
  static const std::unique_ptr<pcre2_match_context, TMatchContextDeleter> context = [] {
    std::unique_ptr<pcre2_match_context, TMatchContextDeleter> created{
        pcre2_match_context_create(nullptr)};
    if (!created) throw std::bad_alloc();
    pcre2_set_match_limit(created.get(), kMatchBudget);
    pcre2_set_depth_limit(created.get(), kDepthBudget);
    return created;
  }();
  return context.get();
}

// Length of the UTF-8 sequence that starts with lead; 1 for a byte that starts none.
std::int32_t SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

struct TCompiledPattern {
  std::unique_ptr<pcre2_code, TCodeDeleter> Code;
};

struct TPattern::TMatchData {
  std::unique_ptr<pcre2_match_data, TMatchDataDeleter> Data;
};

namespace {

using TCacheKey = std::pair<std::string, std::uint32_t>;

// Compiled code is immutable, so one copy per (pattern text, compile word) serves every object.
using TPatternCache = std::map<TCacheKey, std::shared_ptr<const TCompiledPattern>>;

TPatternCache& Cache() {
  static TPatternCache cache;
  return cache;
}

std::shared_ptr<const TCompiledPattern> CompileCode(const std::string& pattern,
                                                    std::uint32_t options, bool useJit) {
  const std::unique_ptr<pcre2_compile_context, TCompileContextDeleter> context{
      pcre2_compile_context_create(nullptr)};
  if (!context) throw std::bad_alloc();
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANY);

  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  auto compiled = std::make_shared<TCompiledPattern>();
  compiled->Code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &errorCode, &errorOffset, context.get()));
  if (!compiled->Code) {
    PCRE2_UCHAR message[256];
    if (pcre2_get_error_message(errorCode, message, sizeof message) < 0) message[0] = 0;
    char text[400];
    std::snprintf(text, sizeof text, "Error in regular expression at offset %d: %s",
                  static_cast<int>(errorOffset), reinterpret_cast<const char*>(message));
    throw ERegularExpressionError(text);
  }
  // A pattern the JIT cannot handle still runs in the interpreter, so its result is ignored.
  if (useJit) pcre2_jit_compile(compiled->Code.get(), PCRE2_JIT_COMPLETE);
  return compiled;
}

std::shared_ptr<const TCompiledPattern> SharedCode(const std::string& pattern,
                                                   std::uint32_t options) {
  TPatternCache& cache = Cache();
  TCacheKey key{pattern, options};
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  auto compiled = CompileCode(pattern, options, true);
  return cache.try_emplace(std::move(key), std::move(compiled)).first->second;
}

}  // namespace

TPattern::TPattern()
    : FPCREOptions(CompileWord(FOptions)), FMatchData(std::make_unique<TMatchData>()) {
  FMatchData->Data.reset(pcre2_match_data_create(kOffsetPairs, nullptr));
  if (!FMatchData->Data) throw std::bad_alloc();
}

TPattern::~TPattern() = default;

const std::u16string& TPattern::RegEx() const { return FRegEx; }

void TPattern::SetRegEx(const std::u16string& value) {
  if (value == FRegEx) return;
  FRegEx = value;
  Discard();
}

TPatternOptions TPattern::Options() const { return FOptions; }

void TPattern::SetOptions(TPatternOptions value) {
  if (value == FOptions) return;
  FOptions = value;
  FPCREOptions = CompileWord(value);
  Discard();
}

std::u16string TPattern::Subject() const { return Utf8ToUtf16(FSubject); }

void TPattern::SetSubject(const std::u16string& value) {
  std::string bytes = Utf16ToUtf8(value);
  if (bytes == FSubject) return;
  // A Replace can join two lone surrogates into a pair whose bytes differ from the pair's own
  // encoding; the text is still the same, so it must keep the match as well.
  if (FSubject.find('\xED') != std::string::npos && Utf8ToUtf16(FSubject) == value) return;
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
    throw std::length_error("Subject too long for a pattern search");
  }
  FSubject = std::move(bytes);
  FInvalidUtf = HoldsLoneSurrogate(FSubject);
  FStart = 0;
  FStop = static_cast<std::int32_t>(FSubject.size());
  OffsetCount = 0;
}

std::u16string TPattern::Replacement() const { return Utf8ToUtf16(FReplacement); }

bool TPattern::Jit() const { return FJit; }

void TPattern::SetJit(bool value) {
  if (value == FJit) return;
  FJit = value;
  Discard();
}

bool TPattern::Shared() const { return FShared; }

void TPattern::SetShared(bool value) {
  if (value == FShared) return;
  FShared = value;
  Discard();
}

bool TPattern::Budgeted() const { return FBudgeted; }

void TPattern::SetBudgeted(bool value) { FBudgeted = value; }

bool TPattern::OverBudget() const { return FOverBudget; }

std::size_t TPattern::SharedCodeCount() { return Cache().size(); }

void TPattern::SetReplacement(const std::u16string& value) { FReplacement = Utf16ToUtf8(value); }

void TPattern::Compile() {
  if (FRegEx.empty()) throw ERegularExpressionError(kRegExRequired);
  Discard();
  const std::string pattern = Utf16ToUtf8(FRegEx);
  const std::uint32_t options =
      FPCREOptions | (HoldsEmptyAlternative(pattern) ? PCRE2_NO_START_OPTIMIZE : 0);
  FPattern = FJit && FShared ? SharedCode(pattern, options) : CompileCode(pattern, options, FJit);
  FCompiled = true;
}

bool TPattern::Match() {
  if (!FCompiled) Compile();
  return Search(0);
}

bool TPattern::MatchAgain() {
  if (!FCompiled) Compile();
  if (FStart >= FStop) {
    OffsetCount = -1;
    return false;
  }
  return Search(FStart);
}

bool TPattern::Search(std::int32_t startOffset) {
  pcre2_code* code = FPattern->Code.get();
  pcre2_match_data* data = FMatchData->Data.get();
  const auto subject = reinterpret_cast<PCRE2_SPTR>(FSubject.data());
  const std::uint32_t options = MatchWord(FState) | (FInvalidUtf ? PCRE2_NO_JIT : 0);
  pcre2_match_context* const context = FBudgeted ? BudgetContext() : nullptr;
  int rc = pcre2_match(code, subject, static_cast<PCRE2_SIZE>(FStop),
                       static_cast<PCRE2_SIZE>(startOffset), options, data, context);
  // Results must not depend on the JIT, so its own limits fall back to the interpreter.
  if (rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_JIT_BADOPTION) {
    rc = pcre2_match(code, subject, static_cast<PCRE2_SIZE>(FStop),
                     static_cast<PCRE2_SIZE>(startOffset), options | PCRE2_NO_JIT, data, context);
  }
  FOverBudget =
      rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT;
  OffsetCount = rc;
  if (rc <= 0) return false;
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(data);
  FStart = static_cast<std::int32_t>(offsets[1]);
  // An empty match (possible only without preNotEmpty) moves on by a whole character.
  if (offsets[0] == offsets[1] && FStart < FStop) {
    FStart += SequenceLength(static_cast<unsigned char>(FSubject[FStart]));
    if (FStart > FStop) FStart = FStop;
  } else if (offsets[0] == offsets[1]) {
    FStart = FStop + 1;
  }
  return true;
}

bool TPattern::FoundMatch() const { return OffsetCount > 0; }

void TPattern::RequireMatch() const {
  if (OffsetCount <= 0) throw ERegularExpressionError(kMatchRequired);
}

void TPattern::Discard() {
  FCompiled = false;
  FPattern.reset();
  OffsetCount = 0;
}

int TPattern::GroupCount() const {
  RequireMatch();
  return OffsetCount - 1;
}

std::string TPattern::GroupBytes(int index) const {
  if (index < 0 || index >= OffsetCount) return {};
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(FMatchData->Data.get());
  const PCRE2_SIZE begin = offsets[2 * index];
  const PCRE2_SIZE end = offsets[2 * index + 1];
  if (begin == PCRE2_UNSET || end <= begin) return {};
  return FSubject.substr(begin, end - begin);
}

std::u16string TPattern::Groups(int index) const {
  RequireMatch();
  return Utf8ToUtf16(GroupBytes(index));
}

int TPattern::MatchedOffset() const {
  RequireMatch();
  return static_cast<int>(pcre2_get_ovector_pointer(FMatchData->Data.get())[0]);
}

int TPattern::MatchedLength() const {
  RequireMatch();
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(FMatchData->Data.get());
  return static_cast<int>(offsets[1] - offsets[0]);
}

int TPattern::GroupOffset(int index) const {
  RequireMatch();
  if (index < 0 || index >= OffsetCount) return -1;
  const PCRE2_SIZE begin = pcre2_get_ovector_pointer(FMatchData->Data.get())[2 * index];
  return begin == PCRE2_UNSET ? -1 : static_cast<int>(begin);
}

int TPattern::GroupEnd(int index) const {
  RequireMatch();
  if (index < 0 || index >= OffsetCount) return -1;
  const PCRE2_SIZE end = pcre2_get_ovector_pointer(FMatchData->Data.get())[2 * index + 1];
  return end == PCRE2_UNSET ? -1 : static_cast<int>(end);
}

std::string TPattern::LeftBytes() const {
  if (!FoundMatch()) return {};
  return FSubject.substr(0, pcre2_get_ovector_pointer(FMatchData->Data.get())[0]);
}

std::string TPattern::RightBytes() const {
  if (!FoundMatch()) return {};
  return FSubject.substr(pcre2_get_ovector_pointer(FMatchData->Data.get())[1]);
}

std::u16string TPattern::SubjectLeft() const { return Utf8ToUtf16(LeftBytes()); }

std::u16string TPattern::SubjectRight() const { return Utf8ToUtf16(RightBytes()); }

int TPattern::NamedGroup(const std::u16string& name) const {
  return NamedGroupNumber(Utf16ToUtf8(name));
}

int TPattern::NamedGroupNumber(const std::string& name) const {
  if (!FPattern) return PCRE2_ERROR_NOSUBSTRING;
  return pcre2_substring_number_from_name(FPattern->Code.get(),
                                          reinterpret_cast<PCRE2_SPTR>(name.c_str()));
}

std::string TPattern::ExpandTemplate() const {
  if (FReplacement.empty() || !FoundMatch()) return FReplacement;
  // The template sees the match through this pattern's own accessors.
  struct TMatchSource : TTemplateSource {
    const TPattern& Pattern;
    explicit TMatchSource(const TPattern& pattern) : Pattern(pattern) {}
    int GroupCount() const override { return Pattern.OffsetCount - 1; }
    std::string Group(int n) const override { return Pattern.GroupBytes(n); }
    int NamedGroupNumber(const std::string& name) const override {
      return Pattern.NamedGroupNumber(name);
    }
    std::string Left() const override { return Pattern.LeftBytes(); }
    std::string Right() const override { return Pattern.RightBytes(); }
    std::string Subject() const override { return Pattern.FSubject; }
  };
  return ExpandReplacementTemplate(FReplacement, TMatchSource(*this), kOffsetPairs);
}

std::u16string TPattern::ComputeReplacement() const { return Utf8ToUtf16(ExpandTemplate()); }

std::u16string TPattern::Replace() {
  RequireMatch();
  const std::string replacement = ExpandTemplate();
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(FMatchData->Data.get());
  const auto offset = static_cast<std::size_t>(offsets[0]);
  const auto length = static_cast<std::size_t>(offsets[1] - offsets[0]);
  FSubject.replace(offset, length, replacement);
  FInvalidUtf = HoldsLoneSurrogate(FSubject);
  const auto delta =
      static_cast<std::int32_t>(replacement.size()) - static_cast<std::int32_t>(length);
  FStart += delta;
  FStop += delta;
  OffsetCount = 0;
  return Utf8ToUtf16(replacement);
}

bool TPattern::ReplaceAll() {
  if (!Match()) return false;
  do {
    Replace();
  } while (MatchAgain());
  return true;
}

}  // namespace lexipulse
