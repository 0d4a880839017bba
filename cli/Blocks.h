#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cli/ProgressBar.h"
#include "engine/StressOptions.h"

namespace lexipulse {

// TNextBlock replaces its argument with the next block of whole lines of the text (valid
// UTF-8) and returns false when there is none.
using TNextBlock = std::function<bool(std::string&)>;

// StressInBlocks stresses the text that next hands over, block by block, and hands the result
// of each piece to write before the next one starts, so the working copies stay the size of a
// block. Lines are stressed independently, so the result is that of the whole text at once,
// every line break as it came. A line longer than blockBytes is stressed in pieces cut at its
// spaces, each short item lowercased exactly when a long item follows it anywhere in the line,
// and an item longer than blockBytes has only the neighbourhood of its first run of word
// characters converted. progress (which may be null) learns the number of word items done.
// options are the run's stressing choices.
void StressInBlocks(const TNextBlock& next, TStressOptions options, std::size_t blockBytes,
                    TProgressBar* progress, const std::function<void(std::string_view)>& write);

// BlocksOf hands text over as one block.
TNextBlock BlocksOf(std::string_view text);

// CountWordItems is the number of word items the pipeline visits in text: one per space and
// one per line.
std::int64_t CountWordItems(std::string_view text);

}  // namespace lexipulse
