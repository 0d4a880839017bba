#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Delimited.h"
#include "app/HtmlText.h"
#include "app/QuietHost.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "engine/Notation.h"
#include "fuzz/FuzzText.h"
#include "pattern/Utf.h"

namespace lexipulse {
namespace {

// PlainText undoes AppendHtml: tags dropped, the entities and references it writes decoded.
std::u16string PlainText(std::string_view html) {
  std::string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      i = html.find('>', i);
      FuzzCheck(i != std::string_view::npos, "an unclosed tag");
      continue;
    }
    if (html[i] != '&') {
      text += html[i];
      continue;
    }
    const std::size_t end = html.find(';', i);
    FuzzCheck(end != std::string_view::npos, "an unclosed entity");
    const std::string_view entity = html.substr(i + 1, end - i - 1);
    if (entity == "amp") {
      text += '&';
    } else if (entity == "lt") {
      text += '<';
    } else if (entity == "gt") {
      text += '>';
    } else if (entity == "quot") {
      text += '"';
    } else {
      FuzzCheck(entity.starts_with("#x"), "an unknown entity");
      text += Utf16ToUtf8(std::u16string(
          1, static_cast<char16_t>(std::stoul(std::string(entity.substr(2)), nullptr, 16))));
    }
    i = end;
  }
  return Utf8ToUtf16(text);
}

}  // namespace
}  // namespace lexipulse

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lexipulse::LoadDictionary();
  return 0;
}

// The accents style changes the text only at the letters it notes, each an ASCII vowel letter
// given the accent of its level; the highlight style gives the text back as it is, with the
// same letters, and its HTML gives it back once the markup is undone.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lexipulse;
  if (size == 0) return 0;
  const auto choice = static_cast<unsigned>(data[0]);
  const std::u16string source =
      FuzzUtf16(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  TStressOptions options;
  options.Secondary = static_cast<TSecondaryStress>(choice % 3);
  options.Variant = (choice / 3) % 2 == 0 ? TVariant::American : TVariant::British;
  options.Style = TNotationStyle::Accents;
  TFinalParagraphsHost accents;
  StressSourceText(source, accents, options);
  options.Style = TNotationStyle::Highlight;
  TFinalParagraphsHost highlight;
  StressSourceText(source, highlight, options);

  const std::vector<std::u16string> input = SplitDelimited(source, u'\n');
  FuzzCheck(highlight.Paragraphs == input, "the highlight style changed the text");
  FuzzCheck(highlight.Letters == accents.Letters, "the two styles mark different letters");
  FuzzCheck(accents.Paragraphs.size() == input.size(), "the accents style lost a paragraph");
  for (std::size_t p = 0; p < input.size(); ++p) {
    std::u16string out = accents.Paragraphs[p];
    FuzzCheck(out.size() == input[p].size(), "the accents style changed a length");
    std::size_t previous = 0;
    for (std::size_t k = 0; k < accents.Letters[p].size(); ++k) {
      const TStressedLetter& letter = accents.Letters[p][k];
      FuzzCheck(k == 0 || letter.Position > previous, "letters out of order");
      previous = letter.Position;
      FuzzCheck(letter.Position < out.size(), "a letter beyond its paragraph");
      const char16_t typed = input[p][letter.Position];
      FuzzCheck(std::u16string_view(u"aeiouyAEIOUY").find(typed) != std::u16string_view::npos,
                "a marked letter that is no ASCII vowel");
      FuzzCheck(out[letter.Position] == MarkedLetter(typed, letter.Level), "a wrong accent");
      out[letter.Position] = typed;
    }
    FuzzCheck(out == input[p], "the accents style changed more than its marks");
    std::string html;
    AppendHtml(input[p], highlight.Letters[p], html);
    // Lone surrogates have no UTF-8 form the reader takes back; the rest must come back.
    if (Utf8ToUtf16(Utf16ToUtf8(input[p])) == input[p]) {
      FuzzCheck(PlainText(html) == input[p], "the HTML does not give the text back");
    }
  }
  return 0;
}
