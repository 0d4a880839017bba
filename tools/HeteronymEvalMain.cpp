#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Delimited.h"
#include "app/WordContext.h"
#include "engine/Dictionary.h"
#include "engine/Heteronyms.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"
#include "tools/HeteronymTable.h"

namespace {

using lexipulse::TStressingOrder;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// ReadTsv parses tab-separated lines whose fields may be double-quoted ("" inside stands for
// a quotation mark); the first line names the columns.
std::vector<std::map<std::string, std::string>> ReadTsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  bool started = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : '\n';
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
      continue;
    }
    if (c == '"' && !started) {
      quoted = true;
      started = true;
    } else if (c == '\t') {
      row.push_back(field);
      field.clear();
      started = false;
    } else if (c == '\n') {
      if (!row.empty() || !field.empty()) {
        row.push_back(field);
        rows.push_back(row);
      }
      row.clear();
      field.clear();
      started = false;
    } else if (c != '\r') {
      field += c;
      started = true;
    }
  }
  std::vector<std::map<std::string, std::string>> records;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    std::map<std::string, std::string> record;
    for (std::size_t f = 0; f < rows[0].size() && f < rows[r].size(); ++f) {
      record[rows[0][f]] = rows[r][f];
    }
    records.push_back(record);
  }
  return records;
}

// StressedSyllable is the number of vowel sounds before the primary stress mark (') of an IPA
// transcription; a length mark or secondary stress does not start a sound.
int StressedSyllable(const std::string& ipa) {
  const std::u16string text = lexipulse::Utf8ToUtf16(ipa);
  const std::u16string vowels =
      u"aeiou\u00E6\u0251\u0254\u0259\u025A\u025B\u026A\u028A\u028C"
      u"\u025C\u025D\u0250\u0252";
  int count = 0;
  bool inVowel = false;
  for (const char16_t c : text) {
    if (c == u'\'') return count;
    if (vowels.find(c) != std::u16string::npos) {
      if (!inVowel) ++count;
      inVowel = true;
    } else if (c != u'\u02D0' && c != u'\u02CC' && !(c >= u'0' && c <= u'9')) {
      inVowel = false;
    }
  }
  return -1;
}

// MarkedSyllable is the number of vowel groups before the first stress mark of a form.
int MarkedSyllable(const std::u16string& form) {
  std::string letters;
  std::size_t firstMark = std::u16string::npos;
  for (std::size_t i = 0; i < form.size(); ++i) {
    const char16_t c = form[i];
    char letter = '?';
    if (c < 0x80) {
      letter = static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    } else if (lexipulse::IsAccentedCapital(c)) {
      letter = "aeiouy"[std::u16string_view(u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD").find(c)];
      if (firstMark == std::u16string::npos) firstMark = i;
    }
    if (c < 0x80 && c >= u'A' && c <= u'Z' && firstMark == std::u16string::npos &&
        std::string_view("AEIOUY").find(static_cast<char>(c)) != std::string_view::npos) {
      firstMark = i;
    }
    letters += letter;
  }
  if (firstMark == std::u16string::npos) return -1;
  const auto groups = lexipulse::VowelGroups(letters);
  int n = 0;
  for (const auto& [begin, end] : groups) {
    if (firstMark < end) return n;
    ++n;
  }
  return -1;
}

// Held tells whether a sentence belongs to the part kept aside: one in five, by an FNV-1a hash
// of its text.
bool Held(const std::string& sentence) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : sentence) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash % 5 == 0;
}

struct TScore {
  std::size_t Right = 0;
  std::size_t Total = 0;
  void Add(bool right) {
    Right += right;
    ++Total;
  }
  std::string Text() const {
    std::ostringstream out;
    out << Right << "/" << Total << " = " << std::fixed << std::setprecision(1)
        << (Total == 0 ? 0.0 : 100.0 * static_cast<double>(Right) / static_cast<double>(Total))
        << "%";
    return out.str();
  }
};

std::u16string Form(const std::u16string& word, lexipulse::TStressOptions options,
                    const lexipulse::TWordContext& context) {
  lexipulse::TWordToStress record(word, options, context);
  record.Process();
  return record.WordStressed();
}

}  // namespace

// lexipulse-heteronym-eval DIR [--errors]: scores the heteronym decisions on the homograph
// data in DIR (wordids.tsv, train/*.tsv) where a word's readings differ in stress: the
// dictionary-first order with its context, the rules-first order, and the first dictionary
// line, on the part tuned on and on the part kept aside.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: lexipulse-heteronym-eval <homographs dir> [--errors]\n";
    return 2;
  }
  const bool showErrors = argc > 2 && std::string(argv[2]) == "--errors";
  try {
    const std::filesystem::path dir = argv[1];
    lexipulse::LoadDictionary();
    std::map<std::string, int> gold;
    std::map<std::string, std::set<int>> stresses;
    for (const auto& record : ReadTsv(ReadFile(dir / "wordids.tsv"))) {
      const int syllable = StressedSyllable(record.at("pronunciation"));
      gold[record.at("wordid")] = syllable;
      stresses[record.at("homograph")].insert(syllable);
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "train")) {
      files.push_back(entry.path());
    }
    std::ranges::sort(files);
    std::map<std::string, TScore> scores;
    std::map<std::string, TScore> reasons;
    std::set<std::string> missing;
    std::map<std::string, std::map<std::string, int>> withoutCue;
    for (const auto& file : files) {
      for (const auto& record : ReadTsv(ReadFile(file))) {
        const std::string& homograph = record.at("homograph");
        if (stresses[homograph].size() < 2) continue;
        const std::string& sentence = record.at("sentence");
        const std::size_t start = std::stoul(record.at("start"));
        const std::size_t q = static_cast<std::size_t>(
            std::count(sentence.begin(), sentence.begin() + static_cast<long>(start), ' '));
        const std::vector<std::u16string> items =
            lexipulse::SplitDelimited(lexipulse::Utf8ToUtf16(sentence), u' ');
        const std::u16string word = lexipulse::Utf8ToUtf16(homograph);
        if (lexipulse::FindHeteronym(word) == nullptr) missing.insert(homograph);
        const lexipulse::TWordContext context = lexipulse::ContextOfItem(items, q);
        const int want = gold.at(record.at("wordid"));
        const std::string part = Held(sentence) ? "held-out" : "tuning";
        lexipulse::TWordToStress chosen(word, {TStressingOrder::DictionaryFirst}, context);
        chosen.Process();
        const bool right = MarkedSyllable(chosen.WordStressed()) == want;
        scores["context, " + part].Add(right);
        if (chosen.Heteronym()) {
          std::string reason = lexipulse::Utf16ToUtf8(chosen.Heteronym()->Reason);
          if (reason.starts_with("after") || reason.starts_with("before")) {
            reason = reason.substr(0, reason.find(' ')) + " a cue word";
          }
          reasons[reason + ", " + part].Add(right);
        }
        scores["rules first, " + part].Add(MarkedSyllable(Form(word, {}, {})) == want);
        scores["first dictionary line, " + part].Add(
            MarkedSyllable(lexipulse::LookUpDictionary(word)) == want);
        if (chosen.Heteronym() && chosen.Heteronym()->Reason == u"more frequent reading" &&
            part == "tuning") {
          const lexipulse::THeteronym* entry = lexipulse::FindHeteronym(word);
          for (const auto reading :
               {lexipulse::THeteronymReading::Noun, lexipulse::THeteronymReading::Verb,
                lexipulse::THeteronymReading::Adjective}) {
            if (MarkedSyllable(entry->Marked(reading)) == want) {
              ++withoutCue[homograph][lexipulse::Utf16ToUtf8(lexipulse::ReadingName(reading))];
            }
          }
        }
        if (showErrors && !right && part == "tuning") {
          std::cout << homograph << "\t" << record.at("wordid") << "\t"
                    << lexipulse::Utf16ToUtf8(chosen.WordStressed()) << "\t"
                    << (chosen.Heteronym() ? lexipulse::Utf16ToUtf8(chosen.Heteronym()->Reason)
                                           : "")
                    << "\t" << sentence << "\n";
        }
      }
    }
    for (const auto& [name, score] : scores) std::cout << name << ": " << score.Text() << "\n";
    for (const auto& [name, score] : reasons)
      std::cout << "  " << name << ": " << score.Text() << "\n";
    for (const auto& [word, counts] : withoutCue) {
      const lexipulse::THeteronym* entry = lexipulse::FindHeteronym(lexipulse::Utf8ToUtf16(word));
      const std::string current = lexipulse::Utf16ToUtf8(lexipulse::ReadingName(entry->Default));
      std::string best = current;
      for (const auto& [reading, count] : counts) {
        if (count > counts.at(best)) best = reading;
      }
      if (best != current) {
        std::cout << "without a cue " << word << " is more often " << best << " ("
                  << counts.at(best) << " against " << counts.at(current) << ")\n";
      }
    }
    for (const std::string& word : missing) std::cout << "not in the table: " << word << "\n";
  } catch (const std::exception& error) {
    std::cerr << "lexipulse-heteronym-eval: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
