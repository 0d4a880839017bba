#include "tools/DictionaryBuilder.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace lexipulse {

namespace {

constexpr std::size_t kShortestSplitWord = 5;
constexpr std::array<std::string_view, 6> kEndings = {"s", "ly", "ed", "al", "ing", "ary"};

}  // namespace

std::pair<std::string, std::string> SplitEnding(std::string_view word) {
  if (word.size() >= kShortestSplitWord) {
    // The split falls as late as an ending allows, so the shortest matching ending wins.
    for (std::size_t length = 1; length < word.size(); ++length) {
      const std::string_view tail = word.substr(word.size() - length);
      if (std::find(kEndings.begin(), kEndings.end(), tail) != kEndings.end()) {
        return {std::string(word.substr(0, word.size() - length)), std::string(tail)};
      }
    }
  }
  return {std::string(word), std::string()};
}

TBuiltDictionary BuildDictionary(const std::vector<TMarkedWord>& words) {
  TBuiltDictionary built;
  std::map<std::string, std::u16string> lines;
  for (const TMarkedWord& word : words) lines.emplace(word.Word, word.Marked);
  built.WordKeys = lines.size();

  // For each radical that is no word of its own: its candidate marks, each with the words
  // that give it, the words in byte order.
  std::map<std::string, std::map<std::u16string, std::set<std::string>>> candidates;
  for (const TMarkedWord& word : words) {
    const auto [radical, ending] = SplitEnding(word.Word);
    if (ending.empty() || lines.contains(radical)) continue;
    candidates[radical][word.Marked.substr(0, radical.size())].insert(word.Word);
  }
  for (const auto& [radical, marks] : candidates) {
    const std::u16string* chosen = nullptr;
    const std::set<std::string>* chosenWords = nullptr;
    std::size_t total = 0;
    for (const auto& [mark, givers] : marks) {
      total += givers.size();
      if (chosen == nullptr || givers.size() > chosenWords->size() ||
          (givers.size() == chosenWords->size() && *givers.begin() < *chosenWords->begin())) {
        chosen = &mark;
        chosenWords = &givers;
      }
    }
    lines.emplace(radical, *chosen);
    ++built.StemKeys;
    if (marks.size() > 1) {
      built.Collisions.push_back({radical, *chosen, total, chosenWords->size()});
    }
  }
  built.Lines.reserve(lines.size());
  for (auto& [key, value] : lines) built.Lines.push_back({key, value});
  return built;
}

}  // namespace lexipulse
