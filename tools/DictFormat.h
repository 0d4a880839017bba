#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/DictionaryBuilder.h"

namespace lexipulse {

// LineProblem returns what is wrong with one line of the data, or empty text when it is well
// formed: exactly one "=", a key of 2 to 21 letters a-z, a value of the key's own letters
// with some vowel letters as accented capitals (the value lowered equals the key).
std::string LineProblem(std::u16string_view line);

// DataProblems checks decoded lines as a whole: each line by LineProblem, and keys strictly
// ascending in byte order, which also rules out a key given twice. Every problem is named.
std::vector<std::string> DataProblems(const std::vector<std::u16string>& lines);

// EncodeDictionary writes the lines as Windows-1252 text, key=value, CR LF between lines and
// none after the last. Raises std::invalid_argument for a character Windows-1252 cannot hold
// as the notation uses it, rather than writing a wrong byte.
std::string EncodeDictionary(const std::vector<TDictionaryLine>& lines);

// DecodeDictionary splits Windows-1252 data written by EncodeDictionary back into lines;
// raises std::invalid_argument for a byte outside the notation or a bare CR or LF.
std::vector<std::u16string> DecodeDictionary(std::string_view bytes);

}  // namespace lexipulse
