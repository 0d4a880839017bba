#include "tools/HandTable.h"

#include <optional>
#include <sstream>
#include <stdexcept>

#include "pattern/Utf.h"
#include "tools/Agreement.h"
#include "tools/StressLevels.h"
#include "tools/StressMarker.h"

namespace lexipulse {

std::vector<THandMarked> ReadHandTable(std::string_view text) {
  std::vector<THandMarked> rows;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) throw std::runtime_error("hand table line: " + line);
    THandMarked row;
    row.Entry.Word = line.substr(0, tab1);
    std::istringstream phonemes(line.substr(tab1 + 1, tab2 - tab1 - 1));
    for (std::string phoneme; phonemes >> phoneme;) row.Entry.Phonemes.push_back(phoneme);
    row.Marked = line.substr(tab2 + 1);
    rows.push_back(std::move(row));
  }
  return rows;
}

THandScore ScoreHandTable(const TAligner& aligner, const std::vector<THandMarked>& table,
                          THandMarks marks) {
  THandScore score;
  for (const THandMarked& row : table) {
    ++score.Words;
    const std::optional<TAlignment> alignment = aligner.Align(row.Entry.Word, row.Entry.Phonemes);
    std::string got = "(no alignment)";
    if (alignment && marks == THandMarks::Dictionary) {
      got = Utf16ToUtf8(MarkPrimaryStress(row.Entry.Word, row.Entry.Phonemes, *alignment).Value);
    } else if (alignment) {
      got = Utf16ToUtf8(MarkPrimaryNucleus(row.Entry.Word, row.Entry.Phonemes, *alignment));
    }
    if (got == row.Marked) {
      ++score.Agreeing;
    } else {
      score.Disagreements.push_back(row.Entry.Word + ": hand " + row.Marked + ", aligner " + got);
    }
  }
  return score;
}

}  // namespace lexipulse
