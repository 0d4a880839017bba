#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/QuietHost.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "engine/Dictionary.h"
#include "fuzz/FuzzText.h"
#include "tests/support/StressProperty.h"

namespace lexipulse {
namespace {

// TStatusHost keeps the final result text, the appended lines and the last status text.
class TStatusHost : public TFinalTextHost {
 public:
  void SetStatus(const std::u16string& text) override { _Status = text; }
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
  TStatusHost host;
  const std::int32_t total = StressSourceText(source, host);
  FuzzCheck(total == WordItemCount(source), "the word total is not the number of items");
  const std::string difference = CheckStressProperty(source, host.Text());
  FuzzCheck(difference.empty(), difference);
  FuzzCheck(host.Appended() == std::vector<std::u16string>{u"\u00A0"},
            "the closing line is not one no-break space");
  FuzzCheck(host._Status == u"Lexipulse processed a total of " + Decimal(total) + u" words.",
            "the final status does not report the total");
  return 0;
}
