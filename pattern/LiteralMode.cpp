#include "pattern/LiteralMode.h"

#include <atomic>

namespace lexipulse {

namespace {

// Atomic so that a benchmark thread may flip it while another reads it.
std::atomic<bool> literalMode{false};

}  // namespace

bool LiteralMode() { return literalMode.load(std::memory_order_relaxed); }

void SetLiteralMode(bool on) { literalMode.store(on, std::memory_order_relaxed); }

}  // namespace lexipulse
