#include <chrono>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/Generator.h"
#include "tools/Report.h"
#include "tools/StressLevels.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

// lexipulse-dictgen SOURCE DICT REPORT [STRESSLEVELS]: reads the package's index.js, writes the
// dictionary data and the generation report, and the stress-levels table when it is named.
int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: lexipulse-dictgen <index.js> <DICT.txt> <report.txt> [STRESSLEVELS.txt]\n";
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
    if (argc == 5) {
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
