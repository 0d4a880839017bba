#pragma once

namespace lexipulse {

// The keys under which the window keeps what the user chose. No key means the first-start
// choice.
inline constexpr char kOrderKey[] = "stressing/order";
inline constexpr char kRulesFirst[] = "rules-first";
inline constexpr char kDictionaryFirst[] = "dictionary-first";
inline constexpr char kFontSizeKey[] = "view/fontSize";
inline constexpr char kMarkUnknownKey[] = "view/markUnknownWords";
inline constexpr char kGeometryKey[] = "window/geometry";
inline constexpr char kSourceExpandedKey[] = "window/sourceExpanded";
inline constexpr char kResultExpandedKey[] = "window/resultExpanded";
inline constexpr char kSourceHeightKey[] = "window/sourceHeight";
inline constexpr char kLastFolderKey[] = "files/lastFolder";

}  // namespace lexipulse
