#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexipulse {

// Dictionary is the process-wide list of dictionary lines (key=value), in the data's order,
// duplicates kept. It is filled once at start-up and read-only afterwards; only the functions
// below replace it, since the lookups read the index and joined text built from it there.
extern const std::vector<std::u16string>& Dictionary;

// LoadDictionary fills Dictionary from the embedded resource of that name and indexes it.
// Raises std::runtime_error "Resource <name> not found" for an unknown name.
void LoadDictionary(const std::string& resourceName = "DICT");
// LoadDictionaryFromBytes decodes raw dictionary data (Windows-1252, or UTF-8/UTF-16 with a
// byte-order mark), splits it into lines at CR LF, lone CR and lone LF (a NUL ends the
// text), replaces Dictionary with them and indexes it.
void LoadDictionaryFromBytes(std::string_view bytes);
// SetDictionaryLines replaces Dictionary with the given lines and indexes it (for tests and tools).
void SetDictionaryLines(std::vector<std::u16string> lines);
// FreeDictionary releases Dictionary and its index.
void FreeDictionary();

// DictionaryIndexed tells whether lookups may use the index built at load; false when the data
// breaks a property that makes the index identical to the scan.
bool DictionaryIndexed();

// FindIndexedValue looks the word up in the index (ASCII case ignored); nothing when absent.
// The view is valid until Dictionary is replaced or freed.
// Only meaningful when DictionaryIndexed() is true.
std::optional<std::u16string_view> FindIndexedValue(std::u16string_view word);

// ScanDictionary is the lookup as a pattern search over the joined list: the reference
// behaviour, used when the index cannot be. A literal scan joins the list anew and runs the
// interpreter.
std::u16string ScanDictionary(const std::u16string& word, bool literal = false);

}  // namespace lexipulse
