#pragma once

#include <optional>
#include <string_view>

namespace lexipulse {

// FindResource returns the bytes of the raw data resource of that name carried inside the
// program, or nothing when there is none.
std::optional<std::string_view> FindResource(std::string_view name);

}  // namespace lexipulse
