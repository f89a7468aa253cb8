// RGNDATA chunks of the repaint region: headers, bounds and splitting at 254 rectangles.
#include "hooklib/region_chunks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace ostrel {
namespace {

uint32_t Get32(const uint8_t* at) {
  uint32_t v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

TEST(RegionChunks, LargeRegionsAreSplitWithValidHeaders) {
  std::vector<Rect32> rects;
  for (int32_t i = 0; i < 300; ++i) rects.push_back(Rect32{i, 2 * i, i + 1, 2 * i + 1});
  ASSERT_EQ(RegionChunkCount(rects.size()), 2u);
  uint8_t out[kPaintRegionSize];
  EXPECT_EQ(WriteRegionChunk(out, rects.data(), rects.size(), 0), 254u);
  EXPECT_EQ(Get32(out), 32u);
  EXPECT_EQ(Get32(out + 4), 1u);
  EXPECT_EQ(Get32(out + 8), 254u);
  EXPECT_EQ(Get32(out + 12), 254u * 16);
  Rect32 bound;
  std::memcpy(&bound, out + 16, sizeof bound);
  EXPECT_EQ(bound, (Rect32{0, 0, 254, 507}));
  EXPECT_EQ(WriteRegionChunk(out, rects.data(), rects.size(), 1), 46u);
  std::memcpy(&bound, out + 16, sizeof bound);
  EXPECT_EQ(bound, (Rect32{254, 508, 300, 599}));
  Rect32 first;
  std::memcpy(&first, out + 32, sizeof first);
  EXPECT_EQ(first, rects[254]);
}

TEST(RegionChunks, SmallAndEmptyRegionsAreOneChunk) {
  EXPECT_EQ(RegionChunkCount(254), 1u);
  EXPECT_EQ(RegionChunkCount(255), 2u);
  EXPECT_EQ(RegionChunkCount(0), 1u);
  uint8_t out[kPaintRegionSize];
  std::memset(out, 0xEE, sizeof out);
  EXPECT_EQ(WriteRegionChunk(out, nullptr, 0, 0), 0u);
  EXPECT_EQ(Get32(out), 32u);
  EXPECT_EQ(Get32(out + 8), 0u);
}

}  // namespace
}  // namespace ostrel
