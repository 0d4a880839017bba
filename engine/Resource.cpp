#include "engine/Resource.h"

#include <cstddef>
#include <cstdint>

// The assembler file of data/ places the dictionary bytes between these two symbols.
extern "C" const char lexipulse_dict_begin[];
extern "C" const char lexipulse_dict_end[];
extern "C" const char lexipulse_heteronyms_begin[];
extern "C" const char lexipulse_heteronyms_end[];
// The tables of stress levels and of British stress, placed the same way.
extern "C" const char lexipulse_stresslevels_begin[];
extern "C" const char lexipulse_stresslevels_end[];
extern "C" const char lexipulse_british_begin[];
extern "C" const char lexipulse_british_end[];

namespace lexipulse {

namespace {

// Between returns the bytes between two symbols, which belong to no common array, so their
// distance is taken on addresses.
std::string_view Between(const char* begin, const char* end) {
  const auto size = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(end) -
                                             reinterpret_cast<std::uintptr_t>(begin));
  return std::string_view(begin, size);
}

}  // namespace

std::optional<std::string_view> FindResource(std::string_view name) {
  if (name == "DICT") {
    // The symbols belong to no common array, so their distance is taken on addresses.
    const auto size =
        static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(lexipulse_dict_end) -
                                 reinterpret_cast<std::uintptr_t>(lexipulse_dict_begin));
    return std::string_view(lexipulse_dict_begin, size);
  }
  if (name == "HETERONYMS") {
    return Between(lexipulse_heteronyms_begin, lexipulse_heteronyms_end);
  }
  if (name == "STRESSLEVELS")
    return Between(lexipulse_stresslevels_begin, lexipulse_stresslevels_end);
  if (name == "BRITISH") return Between(lexipulse_british_begin, lexipulse_british_end);
  return std::nullopt;
}

}  // namespace lexipulse
