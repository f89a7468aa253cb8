// Counting how many values the engine's generator drew between two of its states.
#pragma once

#include <cstdint>

#include "plant/random.h"

namespace plant::test {

/// Number of values drawn to get from state `before` to state `after`, or -1 when it takes more
/// than `limit`.
inline int DrawsBetween(uint32_t before, uint32_t after, int limit) {
  RandomGenerator probe(before);
  for (int n = 0; n <= limit; ++n) {
    if (probe.State() == after) return n;
    probe.Next();
  }
  return -1;
}

}  // namespace plant::test
