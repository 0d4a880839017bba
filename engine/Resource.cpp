#include "engine/Resource.h"

#include <cstddef>
#include <cstdint>

// The assembler file of data/ places the dictionary bytes between these two symbols.
extern "C" const char lexipulse_dict_begin[];
extern "C" const char lexipulse_dict_end[];

namespace lexipulse {

std::optional<std::string_view> FindResource(std::string_view name) {
  if (name == "DICT") {
    // The symbols belong to no common array, so their distance is taken on addresses.
    const auto size =
        static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(lexipulse_dict_end) -
                                 reinterpret_cast<std::uintptr_t>(lexipulse_dict_begin));
    return std::string_view(lexipulse_dict_begin, size);
  }
  return std::nullopt;
}

}  // namespace lexipulse
