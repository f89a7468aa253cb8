// The engine's generator draws exactly what the Windows C runtime's rand() draws on the thread that
// seeded it, so plants seeded the same way match plants grown with the runtime generator.
#include <gtest/gtest.h>

#include <cstdlib>

#include "plant/random.h"

namespace plant {
namespace {

TEST(RandomParity, MatchesTheRuntimeGeneratorForAThousandValues) {
  for (uint32_t seed : {1u, 2u, 123456789u, 0xFFFFFFFFu}) {
    std::srand(seed);
    RandomGenerator generator(seed);
    for (int i = 0; i < 1000; ++i) {
      ASSERT_EQ(generator.Next(), static_cast<uint32_t>(std::rand())) << "seed " << seed << " value " << i;
    }
  }
  EXPECT_EQ(RAND_MAX, static_cast<int>(kRandomMax));
}

}  // namespace
}  // namespace plant
