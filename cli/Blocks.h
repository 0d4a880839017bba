#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "cli/ProgressBar.h"
#include "engine/StressOptions.h"

namespace lexipulse {

// StressInBlocks stresses text (valid UTF-8) in blocks of whole lines of about blockBytes
// bytes and hands the result of each block to write before the next one starts, so the
// working copies stay the size of a block. Paragraphs are stressed independently, so the
// result is that of the whole text at once, every line break as it came. progress (which may
// be null) learns the number of word items done. options are the run's stressing choices.
void StressInBlocks(std::string_view text, TStressOptions options, std::size_t blockBytes,
                    TProgressBar* progress, const std::function<void(std::string_view)>& write);

// CountWordItems is the number of word items the pipeline visits in text: one per space and
// one per line.
std::int64_t CountWordItems(std::string_view text);

}  // namespace lexipulse
