#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

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

}  // namespace lexipulse
