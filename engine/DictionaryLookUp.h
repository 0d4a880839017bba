#pragma once

#include <optional>
#include <string>

namespace lexipulse {

// LookUpDictionary returns the value of the first Dictionary line whose key equals word,
// ignoring ASCII case, with double quotation marks turned into grave accents; or word itself.
// A literal lookup scans the joined list even where the index could serve.
std::u16string LookUpDictionary(const std::u16string& word, bool literal = false);
// FindInDictionary is LookUpDictionary that tells an absent word apart: no value when the
// dictionary holds no entry for word (or only one whose form is the word itself).
std::optional<std::u16string> FindInDictionary(const std::u16string& word, bool literal = false);

}  // namespace lexipulse
