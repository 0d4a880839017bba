#pragma once

namespace lexipulse {

// Literal mode runs the engine without any of its speed-ups: every TPattern compiles its own
// code without JIT at its first search, the dictionary lookup scans the joined list, and the
// pipeline caches no word. Results are identical; only the benchmarks turn it on.
bool LiteralMode();
void SetLiteralMode(bool on);

}  // namespace lexipulse
