// The repaint region as the library writes it, read back, and the hostile headers that are
// refused before GDI could read past the shared block.
#include "app/paint_region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace app {
namespace {

void Put32(uint8_t* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

TEST(PaintRegion, LibraryChunkIsCopiedWhole) {
  const ostrel::Rect32 rects[] = {{0, 0, 10, 10}, {20, 0, 30, 5}, {-5, 40, 0, 41}};
  uint8_t shared[ostrel::kPaintRegionSize] = {};
  ASSERT_EQ(ostrel::WriteRegionChunk(shared, rects, 3, 0), 3u);
  PaintRegion region;
  ASSERT_TRUE(CopyPaintRegion(shared, &region));
  EXPECT_EQ(region.size, 32u + 3 * 16);
  EXPECT_EQ(region.rectCount, 3u);
  EXPECT_EQ(std::memcmp(region.bytes, shared, region.size), 0);
}

TEST(PaintRegion, FullChunkFitsAndHostileHeadersAreRefused) {
  std::vector<ostrel::Rect32> many(ostrel::kRectsPerChunk, ostrel::Rect32{1, 1, 2, 2});
  uint8_t shared[ostrel::kPaintRegionSize] = {};
  ostrel::WriteRegionChunk(shared, many.data(), many.size(), 0);
  PaintRegion region;
  ASSERT_TRUE(CopyPaintRegion(shared, &region));
  EXPECT_EQ(region.size, ostrel::kPaintRegionSize);

  struct Row {
    uint32_t offset;
    uint32_t value;
  };
  const Row faults[] = {
      {8, ostrel::kRectsPerChunk + 1},  // one rectangle past the 4096 bytes
      {8, 0xFFFFFFFFu},                 // a count that wraps 32 + 16 x count
      {0, 40},                          // not a 32-byte header
      {4, 2},                           // not a rectangle list
  };
  for (const Row& fault : faults) {
    uint8_t hostile[ostrel::kPaintRegionSize];
    std::memcpy(hostile, shared, sizeof hostile);
    Put32(hostile + fault.offset, fault.value);
    EXPECT_FALSE(CopyPaintRegion(hostile, &region)) << fault.offset << " " << fault.value;
  }
}

}  // namespace
}  // namespace app
