#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pattern/Pattern.h"

namespace lexipulse {

// TDictionaryScanner is the lookup as a pattern search over the joined dictionary lines: the
// reference behaviour, used where the index cannot be. It holds the joined text as its
// subject, encoded once at its first scan, since indexed data never needs it; each scan only
// sets its pattern. A scanner serves one list of lines: a new list needs a new scanner.
class TDictionaryScanner {
 public:
  // Scan returns the value of the first line whose key equals word (ASCII case ignored), with
  // double quotation marks turned into grave accents, or word itself. A text that is not a run
  // of word characters is not looked up. A literal scan joins the lines anew and runs the
  // interpreter.
  std::u16string Scan(const std::vector<std::u16string>& lines, const std::u16string& word,
                      bool literal);

 private:
  std::unique_ptr<TPattern> _Pattern;
};

// JoinDictionaryLines is the lines each followed by CR LF, the subject of the scan.
std::u16string JoinDictionaryLines(const std::vector<std::u16string>& lines);

}  // namespace lexipulse
