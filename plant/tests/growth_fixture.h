// Plants for growth tests: small species described with the species builder, loaded with a fixed
// clock in UTC so that the calendar is the same on every machine.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/tests/arithmetic_species.h"
#include "tools/species/species_builder.h"

namespace plant::test {

/// 2025-01-01 00:00 UTC.
constexpr int64_t kNewYear2025 = 1735689600;

/// Makes local time UTC for this process, so calendar results do not depend on the machine.
inline void UseUtcTimeZone() {
#ifdef _WIN32
  _putenv("TZ=UTC0");
  _tzset();
#else
  setenv("TZ", "UTC0", 1);
  tzset();
#endif
}

/// Builds species and loads it into *out with the clock at now. Fails the test on any error.
inline void LoadSpecies(const species::Species& description, Plant* out, int64_t now = kNewYear2025) {
  std::vector<uint8_t> file;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(description, &file, &why)) << why;
  ASSERT_EQ(LoadPlantBytes(*out, file.data(), file.size(), now, &why), LoadResult::Ok) << why;
}

}  // namespace plant::test
