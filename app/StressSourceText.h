#pragma once

#include <cstdint>
#include <string>

#include "app/StressHost.h"

namespace lexipulse {

// StressSourceText runs the whole pipeline over sourceText (lines joined with CR LF), driving
// host, and returns the number of word items visited.
std::int32_t StressSourceText(const std::u16string& sourceText, TStressHost& host);

// StressedItem is what the pipeline makes of one word item already lowercased: its first
// run of word characters replaced by the stressed display form (items of four code units or
// fewer, and items without word characters, come back as given).
std::u16string StressedItem(const std::u16string& lowercasedItem);

}  // namespace lexipulse
