// The repaint region as the library writes it, read back, and the hostile headers that are
// refused before GDI could read past the shared block.
#include "app/paint_region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace plantapp {
namespace {

TEST(PaintRegion, LibraryChunksAreCopiedWholeHostileHeadersRefused) {
  std::vector<ostrel::Rect32> rects(ostrel::kRectsPerChunk, ostrel::Rect32{1, 1, 2, 2});
  rects[0] = {-5, 40, 0, 41};
  uint8_t shared[ostrel::kPaintRegionSize] = {};
  PaintRegion region;
  ostrel::WriteRegionChunk(shared, rects.data(), 3, 0);
  ASSERT_TRUE(CopyPaintRegion(shared, &region));
  EXPECT_EQ(region.size, 32u + 3 * 16);
  EXPECT_EQ(std::memcmp(region.bytes, shared, region.size), 0);
  ostrel::WriteRegionChunk(shared, rects.data(), rects.size(), 0);
  ASSERT_TRUE(CopyPaintRegion(shared, &region));
  EXPECT_EQ(region.size, ostrel::kPaintRegionSize);

  const std::pair<uint32_t, uint32_t> faults[] = {
      {8, ostrel::kRectsPerChunk + 1},  // one rectangle past the 4096 bytes
      {8, 0xFFFFFFFFu},                 // a count that wraps 32 + 16 x count
      {0, 40},                          // not a 32-byte header
      {4, 2},                           // not a rectangle list
  };
  for (const auto& [offset, value] : faults) {
    uint8_t hostile[ostrel::kPaintRegionSize];
    std::memcpy(hostile, shared, sizeof hostile);
    std::memcpy(hostile + offset, &value, sizeof value);
    EXPECT_FALSE(CopyPaintRegion(hostile, &region)) << offset << " " << value;
  }
}

}  // namespace
}  // namespace plantapp
