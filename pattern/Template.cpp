#include "pattern/Template.h"

#include <cstddef>

#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsCaseLetter(char c) {
  switch (c) {
    case 'U':
    case 'u':
    case 'L':
    case 'l':
    case 'F':
    case 'f':
    case 'I':
    case 'i':
      return true;
    default:
      return false;
  }
}

bool IsTitleSeparator(char16_t unit) {
  if (unit <= 0x0026) return true;
  switch (unit) {
    case u'(':
    case u'*':
    case u'+':
    case u',':
    case u'-':
    case u'.':
    case u'<':
    case u'?':
    case u'[':
    case u'{':
    case 0x00B7:
      return true;
    default:
      return false;
  }
}

std::u16string TitleCase(const std::u16string& text) {
  std::u16string out = UnicodeLowerCase(text);
  bool atWordStart = true;
  for (char16_t& unit : out) {
    if (IsTitleSeparator(unit)) {
      atWordStart = true;
    } else if (unit != u'\'') {
      if (atWordStart) unit = UnicodeUpperCase(std::u16string(1, unit))[0];
      atWordStart = false;
    }
  }
  return out;
}

std::string ApplyCase(char letter, const std::string& bytes) {
  const std::u16string text = Utf8ToUtf16(bytes);
  switch (letter) {
    case 'U':
    case 'u':
      return Utf16ToUtf8(UnicodeUpperCase(text));
    case 'L':
    case 'l':
      return Utf16ToUtf8(UnicodeLowerCase(text));
    case 'F':
    case 'f':
      return Utf16ToUtf8(AsciiUpperCase(text.substr(0, 1)) + UnicodeLowerCase(text.substr(1)));
    default:
      return Utf16ToUtf8(TitleCase(text));
  }
}

// TTemplateExpander rewrites a template in place from left to right. Position is the next
// character to read; everything before it is final.
class TTemplateExpander {
 public:
  TTemplateExpander(const std::string& text, const TTemplateSource& source, std::uint32_t maxGroups)
      : _Text(text), _Source(source), _GroupCount(source.GroupCount()), _MaxGroups(maxGroups) {}

  std::string Expand() {
    // The last character never starts an escape, so a trailing \ or $ stays as written.
    while (_Position + 1 < _Text.size()) {
      const char c = _Text[_Position];
      const char next = _Text[_Position + 1];
      bool expanded = true;
      if (c == '$') {
        if (next == '$') {
          _Text.erase(_Position + 1, 1);
          ++_Position;
        } else {
          expanded = ParseReference(_Position + 1, TMode::Dollar, 0);
        }
      } else if (c == '\\') {
        if (next == '\\' || next == '$') {
          _Text.erase(_Position, 1);
          ++_Position;
        } else if (IsCaseLetter(next)) {
          expanded = ParseReference(_Position + 2, TMode::Case, next);
        } else if (next == 'g') {
          ParseNamedGroup();
        } else {
          expanded = ParseReference(_Position + 1, TMode::Backslash, 0);
        }
      } else {
        ++_Position;
      }
      if (!expanded) ++_Position;
    }
    return _Text;
  }

 private:
  enum class TMode { Dollar, Backslash, Case };

  // Insert puts text in place of [Position, end) and moves past it, so inserted text is never
  // rescanned.
  void Insert(std::size_t end, const std::string& text) {
    _Text.replace(_Position, end - _Position, text);
    _Position += text.size();
  }

  // Substitute puts group n in place of [Position, end); nothing for a group above the count.
  void Substitute(std::size_t end, long long n, char caseLetter) {
    std::string text;
    if (n >= 0 && n <= _GroupCount) text = _Source.Group(static_cast<int>(n));
    if (!text.empty() && caseLetter != 0) text = ApplyCase(caseLetter, text);
    Insert(end, text);
  }

  // ParseReference reads a reference starting at p; false when there is none.
  bool ParseReference(std::size_t p, TMode mode, char caseLetter) {
    const std::string& t = _Text;
    if (p < t.size() && IsDigit(t[p])) {
      long long n = t[p] - '0';
      std::size_t end = p + 1;
      if (end < t.size() && IsDigit(t[end]) && n * 10 + (t[end] - '0') <= _GroupCount) {
        n = n * 10 + (t[end] - '0');
        ++end;
      }
      Substitute(end, n, caseLetter);
      return true;
    }
    if (mode == TMode::Case || p >= t.size()) return false;
    if (mode == TMode::Dollar && t[p] == '{' && p + 1 < t.size()) return ParseBraced(p + 1);
    if (mode == TMode::Dollar && t[p] == '_') {
      Insert(p + 1, _Source.Subject());
      return true;
    }
    switch (t[p]) {
      case '&':
        Substitute(p + 1, 0, 0);
        return true;
      case '+':
        Substitute(p + 1, _GroupCount, 0);
        return true;
      case '`':
        Insert(p + 1, _Source.Left());
        return true;
      case '\'':
        Insert(p + 1, _Source.Right());
        return true;
      default:
        return false;
    }
  }

  // ParseBraced reads ${n} or ${name}, q being just after the brace.
  bool ParseBraced(std::size_t q) {
    const std::string& t = _Text;
    long long n = -1;
    if (IsDigit(t[q])) {
      n = 0;
      for (; q < t.size() && IsDigit(t[q]); ++q) {
        // Any number beyond the highest possible group names no group; stop growing it.
        if (n <= _MaxGroups) n = n * 10 + (t[q] - '0');
      }
    } else if (IsNameStart(t[q])) {
      const std::size_t nameStart = q;
      while (q < t.size() && IsNameChar(t[q])) ++q;
      n = _Source.NamedGroupNumber(t.substr(nameStart, q - nameStart));
    }
    if (n < 0 || q >= t.size() || t[q] != '}') return false;
    Substitute(q + 1, n, 0);
    return true;
  }

  // ParseNamedGroup reads \g<name> at Position: the group, or nothing for an unknown name; an
  // unfinished one is skipped as written.
  void ParseNamedGroup() {
    const std::string& t = _Text;
    const std::size_t i = _Position;
    if (!(i + 3 < t.size() && t[i + 2] == '<' && IsNameStart(t[i + 3]))) {
      _Position += 2;
      return;
    }
    std::size_t q = i + 3;
    while (q < t.size() && IsNameChar(t[q])) ++q;
    if (q >= t.size() || t[q] != '>') {
      _Position = q;
      return;
    }
    const int n = _Source.NamedGroupNumber(t.substr(i + 3, q - i - 3));
    if (n >= 1) {
      Substitute(q + 1, n, 0);
    } else {
      _Text.erase(i, q + 1 - i);
    }
  }

  std::string _Text;
  const TTemplateSource& _Source;
  const int _GroupCount;
  const long long _MaxGroups;
  std::size_t _Position = 0;
};

}  // namespace

std::string ExpandReplacementTemplate(const std::string& text, const TTemplateSource& source,
                                      std::uint32_t maxGroups) {
  return TTemplateExpander(text, source, maxGroups).Expand();
}

}  // namespace lexipulse
