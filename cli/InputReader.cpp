#include "cli/InputReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <istream>
#include <system_error>
#include <utility>

#include "app/Delimited.h"
#include "cli/Escape.h"

namespace lexipulse {

namespace {

constexpr char kStandardInputName[] = "standard input";
// Inputs are read this many bytes at a time.
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;

// The reason of a failed read: the stream's exception carries the system's error when there
// was one.
std::string ReadFailure(const std::ios_base::failure& failure) {
  const std::error_code code = failure.code();
  if (code.category() == std::generic_category() || code.category() == std::system_category()) {
    return code.message();
  }
  return errno != 0 ? std::strerror(errno) : "input/output error";
}

std::string Megabytes(std::size_t bytes) {
  return bytes % (std::size_t{1} << 20) == 0 ? std::to_string(bytes >> 20) + " MiB"
                                             : std::to_string(bytes) + " bytes";
}

// LastBreakEnd is the end of the last line break in text[from, to), or nothing.
std::optional<std::size_t> LastBreakEnd(std::string_view text, std::size_t from, std::size_t to) {
  for (std::size_t i = to; i > from; --i) {
    if (text[i - 1] == '\n' || text[i - 1] == '\r') {
      return i;
    }
  }
  return std::nullopt;
}

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

TInputReader::TInputReader(std::vector<std::string> inputs, std::istream& standardInput,
                           std::size_t blockBytes, std::size_t longestLine)
    : _Inputs(std::move(inputs)),
      _StandardInput(standardInput),
      _BlockBytes(std::max<std::size_t>(blockBytes, 1)),
      _LongestLine(longestLine) {}

TInputReader::~TInputReader() = default;

bool TInputReader::NextBlock(std::string& block) {
  // The caller's last block goes before more is read, so that two long lines are never held
  // at once.
  std::string().swap(block);
  for (;;) {
    if (_LineStart >= _BlockBytes) {
      HandOut(block, _LineStart);
      return true;
    }
    if (_Current == nullptr && !OpenNext()) {
      if (_Buffer.empty()) {
        return false;
      }
      HandOut(block, _Buffer.size());
      return true;
    }
    const std::size_t before = _Buffer.size();
    if (ReadChunk()) {
      Accept(_Buffer.size());
      _Current = nullptr;
      _File.reset();
      continue;
    }
    // A CR at the end of what was read may be the first half of a CR LF: it waits.
    std::size_t end = _Buffer.size();
    if (end > _Accepted && _Buffer[end - 1] == '\r') {
      --end;
    }
    const std::size_t from = std::max(_Accepted, before > 0 ? before - 1 : 0);
    if (const std::optional<std::size_t> cut = LastBreakEnd(_Buffer, from, end)) {
      Accept(*cut);
    }
    CheckLineLength(_Buffer.size() - _LineStart);
  }
}

bool TInputReader::OpenNext() {
  if (_NextInput == _Inputs.size()) {
    return false;
  }
  const std::string& input = _Inputs[_NextInput++];
  _Place = TTextPlace{};
  if (input == "-") {
    _Name = kStandardInputName;
    _Current = &_StandardInput;
    return true;
  }
  _Name = input;
  std::error_code ec;
  if (std::filesystem::is_directory(input, ec)) {
    throw TInputError(EscapeControls(input) + ": is a directory");
  }
  _File = std::make_unique<std::ifstream>(input, std::ios::binary);
  if (!*_File) {
    throw TInputError(EscapeControls(input) + ": cannot open: " + std::strerror(errno));
  }
  _Current = _File.get();
  return true;
}

// ReadChunk appends the next bytes of the current input to the buffer and tells whether the
// input has ended; a read that fails raises TInputError.
bool TInputReader::ReadChunk() {
  std::istream& in = *_Current;
  const std::ios_base::iostate savedExceptions = in.exceptions();
  const std::size_t before = _Buffer.size();
  bool ended = false;
  try {
    in.exceptions(std::ios_base::badbit);
    _Buffer.resize(before + kChunkBytes);
    in.read(_Buffer.data() + before, static_cast<std::streamsize>(kChunkBytes));
    ended = !in;
    _Buffer.resize(before + static_cast<std::size_t>(in.gcount()));
  } catch (const std::ios_base::failure& failure) {
    _Buffer.resize(before);
    in.clear();
    in.exceptions(savedExceptions);
    throw TInputError(EscapeControls(_Name) + ": read error: " + ReadFailure(failure));
  }
  if (ended) {
    in.clear();
  }
  in.exceptions(savedExceptions);
  if (_Place.Offset == 0 && _Accepted == before) {
    // The first bytes of an input tell whether it is UTF-16 at all.
    if (std::optional<std::string> problem =
            FindUtf16Problem(std::string_view(_Buffer).substr(before))) {
      throw TInputError(EscapeControls(_Name) + ": " + *problem);
    }
  }
  return ended;
}

// Accept checks the bytes read up to end, which ends a line or the input: they must be UTF-8
// and hold no line longer than the longest taken. The line in progress then starts after the
// last break.
void TInputReader::Accept(std::size_t end) {
  const std::string_view piece = std::string_view(_Buffer).substr(_Accepted, end - _Accepted);
  if (piece.empty()) {
    return;
  }
  if (std::optional<std::string> problem = FindTextProblemAt(piece, _Place)) {
    throw TInputError(EscapeControls(_Name) + ": " + *problem);
  }
  std::size_t lineStart = _LineStart;
  for (TLineBreak found = FindLineBreak(std::string_view(_Buffer).substr(0, end), _Accepted);
       found.Length > 0; found = FindLineBreak(std::string_view(_Buffer).substr(0, end),
                                               found.Position + found.Length)) {
    CheckLineLength(found.Position - lineStart);
    ++_Place.Line;
    lineStart = found.Position + found.Length;
  }
  CheckLineLength(end - lineStart);
  _Place.Offset += piece.size();
  _Accepted = end;
  _LineStart = lineStart;
}

void TInputReader::CheckLineLength(std::size_t length) const {
  if (length > _LongestLine) {
    throw TInputError(EscapeControls(_Name) + ": line " + std::to_string(_Place.Line) +
                      " is longer than " + Megabytes(_LongestLine) +
                      ", the longest line lexipulse-cli takes");
  }
}

// HandOut moves the checked text before end into block. The buffer itself goes to the block
// and what follows end, never more than a read, is copied back into a buffer of its own size,
// so a long line is never copied and its memory leaves with it.
void TInputReader::HandOut(std::string& block, std::size_t end) {
  std::string rest = _Buffer.substr(end);
  _Buffer.resize(end);
  block.swap(_Buffer);
  _Buffer = std::move(rest);
  _Accepted -= end;
  _LineStart = 0;
}

std::optional<TInputSummary> SummariseInputs(const std::vector<std::string>& inputs,
                                             std::istream& standardInput, std::size_t blockBytes,
                                             std::size_t longestLine) {
  std::streamoff start = -1;
  for (const auto& input : inputs) {
    if (input == "-") {
      start = standardInput.tellg();
      standardInput.clear();
      if (start < 0) {
        return std::nullopt;
      }
    } else if (std::error_code ec; !IsRegularFile(input) &&
                                   !std::filesystem::is_directory(input, ec) &&
                                   std::filesystem::exists(input, ec)) {
      // A pipe or a device is read once; a missing file is named by the reading itself.
      return std::nullopt;
    }
  }
  TInputSummary summary;
  {
    TInputReader reader(inputs, standardInput, blockBytes, longestLine);
    std::string block;
    while (reader.NextBlock(block)) {
      summary.Bytes += block.size();
      summary.WordItems += std::ranges::count(block, ' ') + std::ranges::count(block, '\n');
    }
  }
  summary.WordItems += 1;
  if (start >= 0) {
    standardInput.clear();
    standardInput.seekg(start);
  }
  return summary;
}

}  // namespace lexipulse
