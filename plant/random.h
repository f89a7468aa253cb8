// The plant engine's one source of chance: a process-wide 15-bit linear congruential generator
// with the classic C runtime formula (state x 214013 + 2531011, bits 16..30 out), and the two
// draws the growth model makes from it.
//
// The engine owns the generator instead of calling rand(): the C runtime of Windows keeps rand()'s
// state per thread, so a seed set on the UI thread would never reach the worker that draws, and
// glibc's rand() has another range and formula. With the engine's own generator one seed fixes the
// whole sequence on every build (native, i686, x86_64). The plant program seeds it once at start,
// before the worker thread exists; afterwards only the worker draws.
#pragma once

#include <cstdint>

namespace plant {

/// Largest value a draw gives.
constexpr uint32_t kRandomMax = 32767;

/// The generator: seed 1 gives 41, 18467, 6334, 26500, ...
class RandomGenerator {
 public:
  /// A generator at seed.
  explicit RandomGenerator(uint32_t seed = 1) : state_(seed) {}

  /// Restarts the sequence from seed.
  void Seed(uint32_t seed) { state_ = seed; }

  /// Next value in 0 .. kRandomMax.
  uint32_t Next() {
    state_ = state_ * 214013u + 2531011u;  // wraps modulo 2^32, as intended
    return (state_ >> 16) & 0x7FFFu;
  }

  /// The raw state, so a test can tell how many values were drawn.
  [[nodiscard]] uint32_t State() const { return state_; }

 private:
  uint32_t state_;
};

/// The engine's generator. It starts at seed 1, as the C runtime's does.
[[nodiscard]] RandomGenerator& EngineRandom();

/// Seeds the engine's generator. Called once by the plant program before any draw.
void SeedRandom(uint32_t seed);

/// True with probability p. Draws two values a, then b, whatever p is; u = a / 32767 +
/// b / 32767^2 lies in [0, 1 + 1/32767], and the result is p > u. So p <= 0 is never true and
/// p = 1 is false when a is 32767.
[[nodiscard]] bool RandomChance(double p);

/// A value spread evenly over [lo, hi] (both ends reachable; lo > hi gives [hi, lo] the same way).
/// Draws one value, also when lo equals hi.
[[nodiscard]] double RandomRange(double lo, double hi);

}  // namespace plant
