#include "engine/uStressRules.h"

namespace lexipulse {

// The rule tables of the three chains; each rule is tried in the order listed.
std::span<const TWordToStress::TRule> UltimateChain() { return {}; }
std::span<const TWordToStress::TRule> PenUltimateChain() { return {}; }
std::span<const TWordToStress::TRule> AntePenUltimateChain() { return {}; }

}  // namespace lexipulse
