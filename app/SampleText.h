#pragma once

#include <string>

namespace lexipulse {

// SampleText is the text the source box starts with: thirty lines joined with CR LF, no line
// break after the last.
const std::u16string& SampleText();

}  // namespace lexipulse
