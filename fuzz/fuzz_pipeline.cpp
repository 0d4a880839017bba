#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "fuzz/FuzzText.h"
#include "tests/support/StressProperty.h"

namespace lexipulse {
namespace {

// TFinalTextHost records nothing but the result text once the last paragraph is done, and the
// lines appended after it.
class TFinalTextHost : public TStressHost {
 public:
  void ClearResult() override {
    _Text.clear();
    _Appended.clear();
  }
  std::u16string GetCaption() override { return u"caption"; }
  void SetCaption(const std::u16string&) override {}
  void SetParagraphProgress(int, int) override {}
  void SetWordProgress(int, int) override {}
  void PumpEvents() override {}
  void SetStatus(const std::u16string& text) override { _Status = text; }
  void ShowWord(const std::u16string&) override {}
  void SetResultText(const TResultText& text) override {
    if (text.Complete()) {
      _Text = text.Text();
    }
  }
  void AppendResultLine(const std::u16string& text) override { _Appended += text; }
  void ResetProgress() override {}

  std::u16string _Text;
  std::u16string _Appended;
  std::u16string _Status;
};

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace
}  // namespace lexipulse

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lexipulse::LoadDictionary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lexipulse;
  const std::u16string source =
      FuzzUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  TFinalTextHost host;
  const std::int32_t total = StressSourceText(source, host);
  FuzzCheck(total == WordItemCount(source), "the word total is not the number of items");
  const std::string difference = CheckStressProperty(source, host._Text);
  FuzzCheck(difference.empty(), difference);
  FuzzCheck(host._Appended == u"\u00A0", "the closing line is not one no-break space");
  FuzzCheck(host._Status == u"Lexipulse processed a total of " + Decimal(total) + u" words.",
            "the final status does not report the total");
  return 0;
}
