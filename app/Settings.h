#pragma once

namespace lexipulse {

// The keys under which the window keeps what the user chose. No key means the first-start
// choice.
inline constexpr char kOrderKey[] = "stressing/order";
inline constexpr char kRulesFirst[] = "rules-first";
inline constexpr char kDictionaryFirst[] = "dictionary-first";
inline constexpr char kVariantKey[] = "stressing/variant";
inline constexpr char kAmerican[] = "american";
inline constexpr char kBritish[] = "british";
inline constexpr char kStyleKey[] = "view/style";
inline constexpr char kClassic[] = "classic";
inline constexpr char kAccents[] = "accents";
inline constexpr char kHighlight[] = "highlight";
inline constexpr char kSecondaryKey[] = "view/secondaryStress";
inline constexpr char kSecondaryOff[] = "off";
inline constexpr char kSecondaryBeforePrimary[] = "before-primary";
inline constexpr char kSecondaryAll[] = "all";
inline constexpr char kFontSizeKey[] = "view/fontSize";
inline constexpr char kMarkUnknownKey[] = "view/markUnknownWords";
inline constexpr char kGeometryKey[] = "window/geometry";
inline constexpr char kSourceExpandedKey[] = "window/sourceExpanded";
inline constexpr char kResultExpandedKey[] = "window/resultExpanded";
inline constexpr char kSourceHeightKey[] = "window/sourceHeight";
inline constexpr char kLastFolderKey[] = "files/lastFolder";

}  // namespace lexipulse
