#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/StressHost.h"
#include "engine/Notation.h"
#include "engine/StressOptions.h"

namespace lexipulse {

// TStressCache remembers how the word runs a run has stressed are written. The engine is a
// pure function of the run and the options, so runs with the same options may share one; it
// holds at most kStressCacheEntries forms and starts afresh when full, so memory stays bounded
// on text of ever new words.
using TStressCache = std::unordered_map<std::u16string, TRunNotation>;
inline constexpr std::size_t kStressCacheEntries = std::size_t{1} << 16;

// StressSourceText runs the whole pipeline over sourceText (lines joined with CR LF), driving
// host, and returns the number of word items visited. options are the choices of this run; the
// default is the program's specified behaviour. cache, when given, is used and kept for later
// runs with the same options; literal runs remember nothing.
std::int32_t StressSourceText(const std::u16string& sourceText, TStressHost& host,
                              TStressOptions options = {}, TStressCache* cache = nullptr);

// kShortItemLength is the length in code units up to which a word item is never stressed.
inline constexpr std::size_t kShortItemLength = 4;

// TWordRun is the first run of word characters of an item, with the text on either side.
struct TWordRun {
  std::u16string Left;
  std::u16string Run;
  std::u16string Right;
};

// FindWordRun finds the first run of word characters of an item, or nothing when it has none.
// jit chooses the matcher (TPattern::SetJit).
std::optional<TWordRun> FindWordRun(const std::u16string& item, bool jit = true);
// ScanWordRun finds the same run without the pattern engine, as the pipeline does outside
// literal runs; a test holds it to FindWordRun.
std::optional<TWordRun> ScanWordRun(const std::u16string& item);

// StressedItem is what the pipeline makes of one word item already lowercased: its first
// run of word characters replaced by the stressed display form (items of four code units or
// fewer, and items without word characters, come back as given).
std::u16string StressedItem(const std::u16string& lowercasedItem, TStressOptions options = {});

// TNotedItem is a word item as the accents and highlight styles write it: the item as typed
// (with the accents put on in the accents style) and the stressed letters, positions counted
// in the item.
struct TNotedItem {
  std::u16string Text;
  std::vector<TStressedLetter> Letters;
};

// NoteItem is what the accents and highlight styles make of one word item as typed: the
// pipeline's choice of the word to stress (the first run of word characters of an item of five
// code units or more), stressed as the options ask; nothing else of the item changes. A run
// that a letter above U+007F touches is only part of a word and stays unmarked.
TNotedItem NoteItem(const std::u16string& item, TStressOptions options);

}  // namespace lexipulse
