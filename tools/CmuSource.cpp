#include "tools/CmuSource.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace lexipulse {

namespace {

constexpr std::size_t kMinLetters = 2;
constexpr std::size_t kMaxLetters = 21;

// ReadQuoted reads a double-quoted string starting at pos, which must hold the quote. The
// source never escapes inside its strings; a backslash is refused rather than misread.
std::string ReadQuoted(std::string_view line, std::size_t& pos, std::size_t lineNumber) {
  if (pos >= line.size() || line[pos] != '"') {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": expected '\"'");
  }
  const std::size_t end = line.find('"', pos + 1);
  if (end == std::string_view::npos) {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": unterminated string");
  }
  std::string text(line.substr(pos + 1, end - pos - 1));
  if (text.find('\\') != std::string::npos) {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": escape in string");
  }
  pos = end + 1;
  return text;
}

bool IsVariant(const std::string& key) { return !key.empty() && key.back() == ')'; }

bool AllLowerLetters(const std::string& key) {
  for (char c : key) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

std::vector<std::string> SplitPhonemes(const std::string& value, std::size_t lineNumber) {
  std::string pronunciation = value.substr(0, value.find('#'));
  std::istringstream in(pronunciation);
  std::vector<std::string> phonemes;
  for (std::string phoneme; in >> phoneme;) {
    for (char c : phoneme) {
      if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '2'))) {
        throw std::runtime_error("line " + std::to_string(lineNumber) + ": bad phoneme " + phoneme);
      }
    }
    phonemes.push_back(phoneme);
  }
  if (phonemes.empty()) {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": no phonemes");
  }
  return phonemes;
}

}  // namespace

TCmuSource ReadCmuSource(std::string_view text) {
  TCmuSource source;
  std::set<std::string> seen;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t pos = line.find_first_not_of(' ');
    if (pos == std::string_view::npos || line[pos] != '"') continue;
    const std::string key = ReadQuoted(line, pos, lineNumber);
    if (line.substr(pos, 2) != ": ") {
      throw std::runtime_error("line " + std::to_string(lineNumber) + ": expected ': '");
    }
    pos += 2;
    const std::string value = ReadQuoted(line, pos, lineNumber);
    std::vector<std::string> phonemes = SplitPhonemes(value, lineNumber);
    if (IsVariant(key)) {
      ++source.Skipped["later pronunciation of a word"];
      const std::string word = key.substr(0, key.find('('));
      if (AllLowerLetters(word)) source.Later[word].push_back(std::move(phonemes));
    } else if (!AllLowerLetters(key)) {
      ++source.Skipped["not letters a-z only"];
    } else if (key.size() < kMinLetters || key.size() > kMaxLetters) {
      ++source.Skipped["fewer than 2 or more than 21 letters"];
    } else if (!seen.insert(key).second) {
      throw std::runtime_error("line " + std::to_string(lineNumber) + ": duplicate word " + key);
    } else {
      source.Entries.push_back({key, std::move(phonemes)});
    }
  }
  return source;
}

TCmuSource ReadCmuSourceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return ReadCmuSource(buffer.str());
}

}  // namespace lexipulse
