#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "tools/CmuSource.h"
#include "tools/HeteronymTable.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

// lexipulse-hetgen SOURCE LIST TABLE REPORT: reads the package's index.js and the hand list of
// heteronyms, writes the heteronym table and its report.
int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: lexipulse-hetgen <index.js> <Heteronyms.tsv> <HETERONYMS.txt> "
                 "<report.txt>\n";
    return 2;
  }
  try {
    const lexipulse::TCmuSource source = lexipulse::ReadCmuSourceFile(argv[1]);
    const auto list = lexipulse::ReadHeteronymList(ReadFile(argv[2]));
    const lexipulse::THeteronymTable table = lexipulse::BuildHeteronymTable(list, source);
    WriteFile(argv[3], lexipulse::EncodeHeteronymTable(table));
    WriteFile(argv[4], lexipulse::HeteronymReport(table));
    std::cout << "wrote " << table.Lines.size() << " forms\n";
  } catch (const std::exception& error) {
    std::cerr << "lexipulse-hetgen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
