#pragma once

#include <string>

#include "engine/StressOptions.h"

namespace lexipulse {

// TExplanation is what the pipeline makes of one word item and how it was decided.
struct TExplanation {
  // Display is the item as the pipeline writes it back.
  std::u16string Display;
  // How is one of: "short word, left as it is"; "no word characters, left as it is"; the
  // name of the rule that stopped the chain ("Cameroon Rule", "Cameroon Rule - exception");
  // or "dictionary " followed by each lookup made, in order and joined by ", ", as
  // "<radical>+<ending> found", "<radical>+<ending> not found" or, for a lookup without an
  // ending, "<word> found" / "<word> not found".
  std::u16string How;
};

// ExplainItem treats item as the pipeline treats a word item (lowercased, its first run of
// word characters stressed and put back in place; items of four code units or fewer left as
// they are) with the given options, and tells how the run was decided.
TExplanation ExplainItem(const std::u16string& item, TStressOptions options = {});

}  // namespace lexipulse
