#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Context.h"

namespace lexipulse {

// ContextOfItem is the context of the word that item q of a line stands for (its first run of
// word characters), from the line's items as cut at spaces, in any case: the nearest words
// before and after it on the line, lowercased, with none across punctuation that ends a
// phrase. Empty items (runs of spaces) and items of quotation marks alone are passed over.
TWordContext ContextOfItem(const std::vector<std::u16string>& items, std::size_t q);
// ContextOfItem over views of the items, which the pipeline cuts from a line without copying.
TWordContext ContextOfItem(std::span<const std::u16string_view> items, std::size_t q);

// SplitItemViews cuts a line at its spaces as SplitDelimited does, into views of the line.
std::vector<std::u16string_view> SplitItemViews(std::u16string_view line);

// IsAccentedCapital tells whether c is one of the stress marks Á É Í Ó Ú Ý.
bool IsAccentedCapital(char16_t c);

// AlreadyStressed tells whether the run of letters around an item's first run of word
// characters holds a stress mark (Á É Í Ó Ú Ý), as in the program's own output (hellÓ).
bool AlreadyStressed(std::u16string_view item);

// HoldsStressMarks tells whether UTF-8 text holds a stress mark inside a run of letters.
bool HoldsStressMarks(std::string_view text);

}  // namespace lexipulse
