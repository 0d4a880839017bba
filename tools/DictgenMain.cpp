#include <chrono>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "pattern/Utf.h"
#include "tools/British.h"
#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/Generator.h"
#include "tools/Report.h"
#include "tools/StressLevels.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Narrow(const std::u16string& text) { return lexipulse::Utf16ToUtf8(text); }

// BritishReport lists the table and everything its derivation left out.
std::string BritishReport(const lexipulse::TBritishTable& table) {
  std::string report = "British stress table report\n\n";
  report += "words in both sources: " + std::to_string(table.Shared) + "\n";
  report +=
      "lines (British primary stress on another vowel): " + std::to_string(table.Lines.size()) +
      "\n";
  for (const auto& line : table.Lines) {
    report += "  " + line.Word + "\tAmerican " + Narrow(line.American) + "\tBritish " +
              Narrow(line.British) + "\n";
  }
  report += "  of them given by hand: " + std::to_string(table.ByHand) + "\n";
  report += "\nleft out after the hand check: " + std::to_string(table.Rejected.size()) + "\n";
  for (const auto& [word, reason] : table.Rejected) report += "  " + word + "\t" + reason + "\n";
  report += "\nleft out, CMU stresses the word twice and the British primary is one of the two: " +
            std::to_string(table.StressedTwice.size()) + "\n";
  for (const auto& word : table.StressedTwice) report += "  " + word + "\n";
  report += "\nleft out, the British primary vowel has no counterpart in CMU's phonemes: " +
            std::to_string(table.Unmatched.size()) + "\n";
  for (const auto& word : table.Unmatched) report += "  " + word + "\n";
  return report;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

// lexipulse-dictgen SOURCE DICT REPORT [STRESSLEVELS [BRITFONE HANDCHECK BRITISH BRITISHREPORT]]:
// reads the package's index.js, writes the dictionary data and the generation report, the
// stress-levels table when it is named, and the British table from Britfone's CSV and the
// hand-check list with its report when they are.
int main(int argc, char** argv) {
  if (argc != 4 && argc != 5 && argc != 9) {
    std::cerr << "usage: lexipulse-dictgen <index.js> <DICT.txt> <report.txt> [STRESSLEVELS.txt "
                 "[britfone.csv british-handcheck.tsv BRITISH.txt british-report.txt]]\n";
    return 2;
  }
  try {
    const auto started = std::chrono::steady_clock::now();
    const lexipulse::TCmuSource source = lexipulse::ReadCmuSourceFile(argv[1]);
    const lexipulse::TGeneration generation = lexipulse::Generate(source);
    const std::string data = lexipulse::EncodeDictionary(generation.Dictionary.Lines);
    const std::string report = lexipulse::GenerationReport(source, generation, data);
    WriteFile(argv[2], data);
    WriteFile(argv[3], report);
    if (argc == 9) {
      const lexipulse::TBritishTable british = lexipulse::BuildBritishTable(
          source, generation.Aligner, lexipulse::ReadBritfone(ReadFile(argv[5])),
          lexipulse::ReadRejected(ReadFile(argv[6])));
      std::vector<lexipulse::TDictionaryLine> lines;
      for (const auto& line : british.Lines) lines.push_back({line.Word, line.British});
      WriteFile(argv[7], lexipulse::EncodeNotationTable(lines));
      WriteFile(argv[8], BritishReport(british));
      std::cout << "british: " << lines.size() << " lines of " << british.Shared
                << " shared words\n";
    }
    if (argc >= 5) {
      const lexipulse::TStressLevelsTable levels =
          lexipulse::BuildStressLevels(source, generation.Aligner, generation.Marked);
      WriteFile(argv[4], lexipulse::EncodeNotationTable(levels.Lines));
      std::cout << "stress levels: " << levels.Lines.size() << " lines (" << levels.WithSecondary
                << " with secondary stress, " << levels.OneSyllable << " of one syllable, "
                << levels.NucleusOnly << " primary narrowed to the nucleus)\n";
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::cout << "wrote " << generation.Dictionary.Lines.size() << " lines, " << data.size()
              << " bytes in " << took.count() << " s\n";
  } catch (const std::exception& error) {
    std::cerr << "lexipulse-dictgen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
