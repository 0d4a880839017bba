#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Input.h"

namespace lexipulse {

// TInputReader reads the console's inputs in order ("-" being standard input) as one text, in
// blocks of whole lines, so that memory follows the longest line rather than the whole input.
// Every byte is checked as FindTextProblem checks a whole input before it is handed out; an
// input that cannot be opened or read, is no UTF-8 text or holds a line longer than
// longestLine bytes raises TInputError naming it.
class TInputReader {
 public:
  TInputReader(std::vector<std::string> inputs, std::istream& standardInput, std::size_t blockBytes,
               std::size_t longestLine = kLongestLineBytes);
  TInputReader(const TInputReader&) = delete;
  TInputReader& operator=(const TInputReader&) = delete;
  ~TInputReader();

  // NextBlock replaces block with the next lines of the text: whole lines (a CR LF kept whole)
  // of at least blockBytes bytes together, or what is left at the end; a line longer than
  // blockBytes comes whole. Returns false, with block empty, when the text is done.
  bool NextBlock(std::string& block);

 private:
  bool OpenNext();
  bool ReadChunk();
  void Accept(std::size_t end);
  void CheckLineLength(std::size_t length) const;
  void HandOut(std::string& block, std::size_t end);

  std::vector<std::string> _Inputs;
  std::size_t _NextInput = 0;
  std::istream& _StandardInput;
  std::unique_ptr<std::ifstream> _File;
  std::istream* _Current = nullptr;
  std::string _Name;
  std::size_t _BlockBytes;
  std::size_t _LongestLine;
  // _Buffer holds the text not handed out yet: bytes before _Accepted are checked, those
  // after were read from the current input and wait for the end of their line. _LineStart is
  // where the line in progress starts: every line before it is complete.
  std::string _Buffer;
  std::size_t _Accepted = 0;
  std::size_t _LineStart = 0;
  // _Place is where the unchecked bytes start in the current input.
  TTextPlace _Place;
};

// TInputSummary is what a first reading of the inputs learns.
struct TInputSummary {
  std::uintmax_t Bytes = 0;
  // WordItems is the number of word items the pipeline visits: one per space, one per line.
  std::int64_t WordItems = 0;
};

// SummariseInputs reads the inputs through once as TInputReader does, raising its errors, and
// brings standard input back to where it was, so that a bad input is found before any output
// is written. It does so only when every input can be read twice (regular files, and standard
// input when it can seek); otherwise it reads nothing and gives nothing.
std::optional<TInputSummary> SummariseInputs(const std::vector<std::string>& inputs,
                                             std::istream& standardInput, std::size_t blockBytes,
                                             std::size_t longestLine = kLongestLineBytes);

}  // namespace lexipulse
