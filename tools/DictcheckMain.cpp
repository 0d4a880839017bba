#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "engine/Dictionary.h"
#include "engine/uStressRules.h"
#include "tools/Agreement.h"
#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/Generator.h"
#include "tools/HandTable.h"
#include "tools/Report.h"

namespace {

constexpr std::size_t kExamples = 12;
constexpr std::size_t kCoveragePercent = 99;
constexpr std::size_t kHandPercent = 97;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// The program's own dictionary step: its suffix split, then its lookup of the radical.
lexipulse::TDictionaryStep ProgramStep(const std::string& word) {
  lexipulse::TWordToStress record(std::u16string(word.begin(), word.end()));
  record.SplitWord();
  return {record.Radical(), record.Ending(),
          lexipulse::LookUpDictionary(record.Radical()) + record.Ending()};
}

}  // namespace

// lexipulse-dictcheck SOURCE DICT REPORT HANDTABLE [NUCLEUSTABLE]: checks the written data
// against a fresh generation from the source (format, coverage, agreement through the program's
// split and lookup, the hand-marked table), appends the figures to the report and fails when a
// gate does; with a table marked by hand on the nucleus only, it also scores both markers on it.
int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::cerr << "usage: lexipulse-dictcheck <index.js> <DICT.txt> <report.txt> <hand table> "
                 "[nucleus hand table]\n";
    return 2;
  }
  try {
    using namespace lexipulse;
    const TCmuSource source = ReadCmuSourceFile(argv[1]);
    const TGeneration generation = Generate(source);
    const std::string data = ReadFile(argv[2]);
    bool passed = true;
    std::string text = "\nChecks of the written data\n";
    if (data != EncodeDictionary(generation.Dictionary.Lines)) {
      text += "  the data is not what this source generates\n";
      passed = false;
    }
    const std::vector<std::u16string> lines = DecodeDictionary(data);
    const std::vector<std::string> problems = DataProblems(lines);
    text += "  format problems: " + std::to_string(problems.size()) + "\n";
    passed = passed && problems.empty();
    const bool covered =
        generation.Marked.size() * 100 >= generation.EligibleWords * kCoveragePercent;
    text += std::string("  coverage of at least 99%: ") + (covered ? "yes" : "no") + "\n";
    passed = passed && covered;

    LoadDictionaryFromBytes(data);
    const TAgreementReport agreement = CheckAgreement(generation.Marked, ProgramStep, kExamples);
    FreeDictionary();
    text += "\n" + AgreementReport(
                       "Dictionary step of the program (its SplitWord and "
                       "LookUpDictionary over the written data)",
                       agreement);
    passed = passed && agreement.Disagreeing(TDisagreement::kUnexplained) == 0;

    const THandScore hand = ScoreHandTable(generation.Aligner, ReadHandTable(ReadFile(argv[4])));
    text += "\nHand-marked words, aligner trained on the whole source\n";
    text +=
        "  agreeing: " + std::to_string(hand.Agreeing) + " of " + std::to_string(hand.Words) + "\n";
    for (const std::string& line : hand.Disagreements) text += "    " + line + "\n";
    passed = passed && hand.Agreeing * 100 >= hand.Words * kHandPercent;

    if (argc == 6) {
      // The nucleus-only marks of the styles, against a table marked by hand that way; the
      // dictionary's marks are scored on it too, for the change they make.
      const std::vector<THandMarked> nuclei = ReadHandTable(ReadFile(argv[5]));
      const THandScore before = ScoreHandTable(generation.Aligner, nuclei, THandMarks::Dictionary);
      const THandScore after = ScoreHandTable(generation.Aligner, nuclei, THandMarks::Nucleus);
      text += "\nNucleus-marked words (the marks of the styles), by hand\n";
      text += "  dictionary marks agreeing: " + std::to_string(before.Agreeing) + " of " +
              std::to_string(before.Words) + "\n";
      text += "  nucleus marks agreeing: " + std::to_string(after.Agreeing) + " of " +
              std::to_string(after.Words) + "\n";
      for (const std::string& line : after.Disagreements) text += "    " + line + "\n";
    }

    std::ofstream report(argv[3], std::ios::binary | std::ios::app);
    report << text;
    report.close();
    if (!report) throw std::runtime_error(std::string("cannot write ") + argv[3]);
    std::cout << text;
    if (!passed) {
      std::cerr << "lexipulse-dictcheck: a quality gate failed\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << "lexipulse-dictcheck: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
