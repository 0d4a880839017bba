#include "cli/Input.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>

#include "app/Delimited.h"
#include "cli/Escape.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr char kStandardInputName[] = "standard input";
// UTF-16 is recognised from this many bytes at the start of an input.
constexpr std::size_t kUtf16SampleBytes = 4096;

// The reason of a failed read: the stream's exception carries the system's error when there
// was one.
std::string ReadFailure(const std::ios_base::failure& failure) {
  const std::error_code code = failure.code();
  if (code.category() == std::generic_category() || code.category() == std::system_category()) {
    return code.message();
  }
  return errno != 0 ? std::strerror(errno) : "input/output error";
}

// AppendStream reads in to its end onto text; a read that fails raises TInputError.
void AppendStream(std::istream& in, const std::string& name, std::string& text) {
  const std::ios_base::iostate savedExceptions = in.exceptions();
  char buffer[1 << 16];
  try {
    in.exceptions(std::ios_base::badbit);
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
      text.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
  } catch (const std::ios_base::failure& failure) {
    in.clear();
    in.exceptions(savedExceptions);
    throw TInputError(EscapeControls(name) + ": read error: " + ReadFailure(failure));
  }
  in.clear();
  in.exceptions(savedExceptions);
}

// AppendFile reads a file onto text in place, so the whole input is held once.
void AppendFile(const std::string& path, std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw TInputError(EscapeControls(path) + ": is a directory");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw TInputError(EscapeControls(path) + ": cannot open: " + std::strerror(errno));
  }
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec) {
    text.reserve(text.size() + size);
  }
  AppendStream(file, path, text);
}

// Utf16Source is the iconv name of the UTF-16 form bytes look like, or nullptr. Text of
// Latin letters in UTF-16 has a zero byte in nearly every pair, on the side of the high byte.
const char* Utf16Source(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "UTF-16";
  }
  const std::size_t pairs = std::min(bytes.size(), kUtf16SampleBytes) / 2;
  std::size_t zerosFirst = 0;
  std::size_t zerosSecond = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    zerosFirst += bytes[2 * i] == '\0' ? 1 : 0;
    zerosSecond += bytes[2 * i + 1] == '\0' ? 1 : 0;
  }
  const auto oneSided = [pairs](std::size_t high, std::size_t low) {
    return pairs > 0 && 2 * high >= pairs && 4 * low < high;
  };
  if (oneSided(zerosSecond, zerosFirst)) {
    return "UTF-16LE";
  }
  if (oneSided(zerosFirst, zerosSecond)) {
    return "UTF-16BE";
  }
  return nullptr;
}

// Where is the line, column and byte offset of offset, which follows valid UTF-8.
std::string Where(std::string_view bytes, std::size_t offset) {
  const std::string_view before = bytes.substr(0, offset);
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (TLineBreak found = FindLineBreak(before, 0); found.Length > 0;
       found = FindLineBreak(before, found.Position + found.Length)) {
    ++line;
    lineStart = found.Position + found.Length;
  }
  // Every character has exactly one byte that is not a continuation byte.
  const std::size_t column =
      1 + static_cast<std::size_t>(std::ranges::count_if(before.substr(lineStart), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      }));
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + " (byte offset " +
         std::to_string(offset) + ")";
}

}  // namespace

std::string ReadStandardInput(std::istream& in) {
  std::string text;
  AppendStream(in, kStandardInputName, text);
  return text;
}

std::string ReadInputs(const std::vector<std::string>& inputs, std::istream& in) {
  std::string text;
  for (const auto& input : inputs) {
    const std::size_t start = text.size();
    if (input == "-") {
      AppendStream(in, kStandardInputName, text);
    } else {
      AppendFile(input, text);
    }
    CheckText(std::string_view(text).substr(start), input == "-" ? kStandardInputName : input);
  }
  return text;
}

std::optional<std::string> FindTextProblem(std::string_view bytes) {
  if (const char* source = Utf16Source(bytes)) {
    return std::string("looks like UTF-16; convert it to UTF-8, e.g. with iconv -f ") + source +
           " -t UTF-8";
  }
  if (const std::optional<TUtf8Error> bad = FindInvalidUtf8(bytes)) {
    return "invalid UTF-8 at " + Where(bytes, bad->Offset);
  }
  return std::nullopt;
}

void CheckText(std::string_view bytes, const std::string& name) {
  if (const std::optional<std::string> problem = FindTextProblem(bytes)) {
    throw TInputError(EscapeControls(name) + ": " + *problem);
  }
}

}  // namespace lexipulse
