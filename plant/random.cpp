// The engine's generator and its two draws; see random.h.
#include "plant/random.h"

namespace plant {

RandomGenerator& EngineRandom() {
  static RandomGenerator generator;
  return generator;
}

void SeedRandom(uint32_t seed) { EngineRandom().Seed(seed); }

bool RandomChance(double p) {
  RandomGenerator& generator = EngineRandom();
  const uint32_t a = generator.Next();
  const uint32_t b = generator.Next();
  const double u = a / 32767.0 + b / 1073676289.0;  // 1073676289 = 32767^2
  return p > u;
}

double RandomRange(double lo, double hi) {
  const uint32_t r = EngineRandom().Next();
  return r / 32767.0 * (hi - lo) + lo;
}

}  // namespace plant
