#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lexipulse {

// ERegularExpressionError is raised by TPattern for an empty or invalid pattern and for
// reading a match when there is none.
class ERegularExpressionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// TPatternOptions is a set of compile flags; every pattern of the program uses exactly
// preCaseLess. UTF-8 mode and the newline convention ANY are always on.
using TPatternOptions = unsigned;
inline constexpr TPatternOptions preCaseLess = 1u << 0;
inline constexpr TPatternOptions preMultiLine = 1u << 1;
inline constexpr TPatternOptions preSingleLine = 1u << 2;
inline constexpr TPatternOptions preExtended = 1u << 3;
inline constexpr TPatternOptions preAnchored = 1u << 4;
inline constexpr TPatternOptions preUnGreedy = 1u << 5;
inline constexpr TPatternOptions preNoAutoCapture = 1u << 6;

// TPatternState is a set of search flags; the program keeps it at preNotEmpty.
using TPatternState = unsigned;
inline constexpr TPatternState preNotBOL = 1u << 0;
inline constexpr TPatternState preNotEOL = 1u << 1;
inline constexpr TPatternState preNotEmpty = 1u << 2;

struct TCompiledPattern;

// The work budget of one search of a budgeted pattern: PCRE2's match limit (calls of its
// internal match function, which the JIT counts in its own way) and depth limit (nesting of
// backtracking points in the interpreter). No dictionary key, test text or generated word
// needs more than 8,192 and 32 of them with any of the program's patterns, while a long
// vowel-heavy run can need billions; a search over budget counts as no match.
inline constexpr std::uint32_t kMatchBudget = 200000;
inline constexpr std::uint32_t kDepthBudget = 2000;

// TPattern holds one Perl-compatible pattern, one subject, one replacement template and the
// state of the current match. It compiles lazily at the first search, edits the subject in
// place on Replace, and expands templates in a language of its own (\1, \U2, $&, ${name}, ...).
// Text is UTF-16 outside and UTF-8 inside; offsets are UTF-8 byte offsets.
//
// Compiled code of the program's fixed patterns is shared between objects with the same pattern
// text and options, so each is compiled (and JIT-compiled) once per thread; each object keeps
// its own match data. Each thread has a cache of its own, so objects on different threads
// never share anything mutable: an object belongs to the thread that uses it.
class TPattern {
 public:
  TPattern();
  virtual ~TPattern();
  TPattern(const TPattern&) = delete;
  TPattern& operator=(const TPattern&) = delete;

  // RegEx is the pattern text. Writing a different text discards the compiled pattern and
  // the current match; a compile error surfaces at the next search.
  const std::u16string& RegEx() const;
  void SetRegEx(const std::u16string& value);

  // Options are the compile flags. Writing a different set discards the compiled pattern.
  TPatternOptions Options() const;
  void SetOptions(TPatternOptions value);

  // Subject is the searched text. Writing the text it already holds keeps the current match;
  // any other text resets the search to its start. Reading returns the text as edited.
  std::u16string Subject() const;
  void SetSubject(const std::u16string& value);

  // Replacement is the template that Replace and ReplaceAll expand.
  std::u16string Replacement() const;
  void SetReplacement(const std::u16string& value);

  // Jit chooses the matcher. True (the default) runs JIT-compiled code; false compiles code for
  // this object alone and runs PCRE2's interpreter, the reference every result is checked by.
  // Writing a different value discards the compiled pattern.
  bool Jit() const;
  void SetJit(bool value);

  // Shared (the default) takes the compiled code from the process-wide cache. An object whose
  // pattern text is built from data (a lookup made of a word) sets it false, so that the cache
  // holds the program's fixed patterns only. Writing a different value discards the compiled
  // pattern.
  bool Shared() const;
  void SetShared(bool value);

  // Budgeted (the default) bounds every search by kMatchBudget and kDepthBudget. A pattern
  // that searches a large subject in linear time, as the dictionary scan does, turns it off
  // and runs under PCRE2's own, much larger limits.
  bool Budgeted() const;
  void SetBudgeted(bool value);
  // OverBudget tells whether the last search ended for want of budget (a limit of PCRE2's when
  // unbudgeted); such a search counts as no match. The JIT and the interpreter spend their
  // budget differently, so only searches within it give the same answer in both.
  bool OverBudget() const;

  // SharedCodeCount is the number of compiled patterns in the calling thread's cache.
  static std::size_t SharedCodeCount();

  // Compile compiles the pattern now; Match and MatchAgain call it when needed.
  void Compile();

  // Match searches from the start of the subject; MatchAgain searches on from where the
  // last match ended (or the last Replace left off).
  bool Match();
  bool MatchAgain();

  bool FoundMatch() const;
  // GroupCount is the number of the highest group that took part in the current match.
  int GroupCount() const;
  // Groups returns the text of group index of the current match (0 is the whole match);
  // empty for a group that took no part or an index above GroupCount.
  std::u16string Groups(int index) const;
  int MatchedOffset() const;
  int MatchedLength() const;
  // GroupOffset and GroupEnd are the UTF-8 byte offsets of group index of the current match in
  // the subject, or -1 for a group that took no part or an index above GroupCount.
  int GroupOffset(int index) const;
  int GroupEnd(int index) const;
  // SubjectLeft and SubjectRight are the subject before and after the current match; both are
  // empty when there is no current match.
  std::u16string SubjectLeft() const;
  std::u16string SubjectRight() const;
  // NamedGroup returns the number of the named group of the compiled pattern, or a negative
  // number when none bears it (or nothing is compiled yet).
  int NamedGroup(const std::u16string& name) const;

  // ComputeReplacement expands the template against the current match.
  std::u16string ComputeReplacement() const;
  // Replace puts the expanded template in place of the current match and returns it.
  std::u16string Replace();
  // ReplaceAll replaces every match from the start of the subject; false when none matched.
  bool ReplaceAll();

 private:
  bool Search(std::int32_t startOffset);
  void RequireMatch() const;
  void Discard();
  // The byte forms below serve the template expansion, which works on UTF-8.
  std::string GroupBytes(int index) const;
  std::string LeftBytes() const;
  std::string RightBytes() const;
  int NamedGroupNumber(const std::string& name) const;
  std::string ExpandTemplate() const;

  bool FCompiled = false;
  bool FJit = true;
  bool FShared = true;
  bool FInvalidUtf = false;
  bool FBudgeted = true;
  bool FOverBudget = false;
  TPatternOptions FOptions = 0;
  TPatternState FState = preNotEmpty;
  std::u16string FRegEx;
  std::string FReplacement;
  std::string FSubject;
  std::int32_t FStart = 0;
  std::int32_t FStop = 0;
  std::int32_t OffsetCount = 0;
  std::uint32_t FPCREOptions = 0;
  std::shared_ptr<const TCompiledPattern> FPattern;
  struct TMatchData;
  std::unique_ptr<TMatchData> FMatchData;
};

}  // namespace lexipulse
