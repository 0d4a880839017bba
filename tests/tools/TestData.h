#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/Aligner.h"

namespace lexipulse {

// ReadTestFile returns the bytes of a file committed beside the generator's tests.
inline std::string ReadTestFile(const std::string& name) {
  const std::string path = std::string(LEXIPULSE_TOOLS_TEST_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// Alignment written as steps "letters=PHONEMES" (phonemes joined by '_'), so the marking is
// checked on alignments chosen by hand, whatever the aligner would pick.
inline TAlignment StepsToAlignment(const std::string& steps, std::string& word,
                                   std::vector<std::string>& phonemes) {
  TAlignment alignment;
  std::istringstream in(steps);
  for (std::string step; in >> step;) {
    const std::size_t equals = step.find('=');
    TAlignedPair pair{word.size(), equals, phonemes.size(), 0};
    word += step.substr(0, equals);
    std::istringstream group(step.substr(equals + 1));
    for (std::string phoneme; std::getline(group, phoneme, '_');) {
      phonemes.push_back(phoneme);
      ++pair.PhonemeCount;
    }
    alignment.Pairs.push_back(pair);
  }
  return alignment;
}

}  // namespace lexipulse
