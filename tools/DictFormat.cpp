#include "tools/DictFormat.h"

#include <stdexcept>

#include "tools/StressMarker.h"

namespace lexipulse {

namespace {

constexpr std::size_t kMinLength = 2;
constexpr std::size_t kMaxLength = 21;

bool IsLowerLetter(char16_t c) { return c >= u'a' && c <= u'z'; }

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

}  // namespace

std::string LineProblem(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == line.npos) return "no '='";
  if (line.find(u'=', equals + 1) != line.npos) return "more than one '='";
  const std::u16string_view key = line.substr(0, equals);
  const std::u16string_view value = line.substr(equals + 1);
  if (key.size() < kMinLength || key.size() > kMaxLength) return "key not 2 to 21 letters";
  for (char16_t c : key) {
    if (!IsLowerLetter(c)) return "key holds a character other than a-z";
  }
  if (value.size() < kMinLength || value.size() > kMaxLength) {
    return "value not 2 to 21 characters";
  }
  std::u16string lowered;
  for (char16_t c : value) {
    const char16_t plain = UnaccentedLetter(c);
    if (!IsLowerLetter(plain)) return "value holds a character outside a-z and the accents";
    lowered += plain;
  }
  if (lowered != key) return "value is not the key's own letters";
  return {};
}

std::vector<std::string> DataProblems(const std::vector<std::u16string>& lines) {
  std::vector<std::string> problems;
  std::u16string previousKey;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string problem = LineProblem(lines[i]);
    if (!problem.empty()) {
      problems.push_back("line " + std::to_string(i + 1) + " (" + Narrow(lines[i]) +
                         "): " + problem);
      continue;
    }
    const std::u16string key = lines[i].substr(0, lines[i].find(u'='));
    if (i > 0 && !(previousKey < key)) {
      problems.push_back("line " + std::to_string(i + 1) + " (" + Narrow(lines[i]) +
                         "): key not after the previous key");
    }
    previousKey = key;
  }
  return problems;
}

std::string EncodeDictionary(const std::vector<TDictionaryLine>& lines) {
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) bytes += "\r\n";
    bytes += lines[i].Key;
    bytes += '=';
    for (char16_t c : lines[i].Value) {
      // The accented capitals share their code points with their Windows-1252 bytes.
      if (IsLowerLetter(c) || UnaccentedLetter(c) != c) {
        bytes += static_cast<char>(static_cast<unsigned char>(c));
      } else {
        throw std::invalid_argument("character outside the notation in the value of " +
                                    lines[i].Key);
      }
    }
  }
  return bytes;
}

std::vector<std::u16string> DecodeDictionary(std::string_view bytes) {
  std::vector<std::u16string> lines;
  if (bytes.empty()) return lines;
  lines.emplace_back();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
        throw std::invalid_argument("CR without LF at byte " + std::to_string(i));
      }
      ++i;
      lines.emplace_back();
    } else if (b == '\n') {
      throw std::invalid_argument("LF without CR at byte " + std::to_string(i));
    } else if (b < 0x80 || UnaccentedLetter(b) != b) {
      lines.back() += static_cast<char16_t>(b);
    } else {
      throw std::invalid_argument("byte outside the notation at " + std::to_string(i));
    }
  }
  return lines;
}

}  // namespace lexipulse
