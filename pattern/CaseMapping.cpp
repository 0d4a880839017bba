#include "pattern/CaseMapping.h"

#include <locale.h>
#include <wctype.h>

#include <memory>
#include <type_traits>

namespace lexipulse {

namespace {

struct TLocaleDeleter {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using TLocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, TLocaleDeleter>;

// A private C.UTF-8 locale gives towupper_l/towlower_l their Unicode tables without touching
// the process's global locale; it is null when the system lacks that locale.
locale_t UnicodeLocale() {
  static const TLocaleHandle locale{newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0))};
  return locale.get();
}

bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// MapUnits maps each code unit on its own; a result that would not fit one UTF-16 unit keeps
// the original unit so that the length never changes.
template <typename TMap>
std::u16string MapUnits(const std::u16string& text, TMap map) {
  std::u16string out(text);
  for (char16_t& unit : out) {
    if (IsSurrogate(unit)) continue;
    const auto mapped = static_cast<char32_t>(map(static_cast<wint_t>(unit)));
    if (mapped <= 0xFFFF && !IsSurrogate(mapped)) unit = static_cast<char16_t>(mapped);
  }
  return out;
}

}  // namespace

std::u16string AsciiUpperCase(const std::u16string& text) {
  std::u16string out(text);
  for (char16_t& unit : out) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return out;
}

std::u16string AsciiLowerCase(const std::u16string& text) {
  std::u16string out(text);
  for (char16_t& unit : out) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  }
  return out;
}

std::u16string UnicodeUpperCase(const std::u16string& text) {
  const locale_t locale = UnicodeLocale();
  if (locale == static_cast<locale_t>(0)) return AsciiUpperCase(text);
  return MapUnits(text, [locale](wint_t unit) { return towupper_l(unit, locale); });
}

std::u16string UnicodeLowerCase(const std::u16string& text) {
  const locale_t locale = UnicodeLocale();
  if (locale == static_cast<locale_t>(0)) return AsciiLowerCase(text);
  return MapUnits(text, [locale](wint_t unit) { return towlower_l(unit, locale); });
}

}  // namespace lexipulse
