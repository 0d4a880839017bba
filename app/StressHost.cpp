#include "app/StressHost.h"

#include "app/Delimited.h"

namespace lexipulse {

std::u16string TResultText::Text() const { return JoinDelimited(_Paragraphs, u'\n'); }

}  // namespace lexipulse
