#include <chrono>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/CmuSource.h"
#include "tools/DictFormat.h"
#include "tools/Generator.h"
#include "tools/Report.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

// lexipulse-dictgen SOURCE DICT REPORT: reads the package's index.js, writes the dictionary
// data and the generation report.
int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: lexipulse-dictgen <index.js> <DICT.txt> <report.txt>\n";
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
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::cout << "wrote " << generation.Dictionary.Lines.size() << " lines, " << data.size()
              << " bytes in " << took.count() << " s\n";
  } catch (const std::exception& error) {
    std::cerr << "lexipulse-dictgen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
