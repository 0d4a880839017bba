#include "app/StressHost.h"

#include "app/Delimited.h"

namespace lexipulse {

std::u16string TResultText::Text() const { return JoinDelimited(_Paragraphs, u'\n'); }

const std::vector<TStressedLetter>& TResultText::Letters(std::size_t index) const {
  static const std::vector<TStressedLetter> kNone;
  if (_Letters == nullptr || index >= _Letters->size() || index >= _ParagraphsDone) return kNone;
  return (*_Letters)[index];
}

}  // namespace lexipulse
