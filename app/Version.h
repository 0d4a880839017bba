#pragma once

namespace lexipulse {

inline constexpr char16_t kProgramCaption[] = u"Lexipulse 0.99k [07SEP2014]";
inline constexpr char kProgramVersion[] = "0.99k";

}  // namespace lexipulse
