// The bar placement record: its bytes for a known placement, its round trip and damaged records.
#include "framework/ui/bar_placement.h"

#include <gtest/gtest.h>

#include <array>

namespace zrf {
namespace {

TEST(BarPlacementRecordTest, BytesOfAKnownPlacementAndTheRoundTrip) {
  BarPlacement p;
  p.x = -5;
  p.y = 300;
  p.length = 120;
  p.thickness = 27;
  p.windowIndex = 1;
  p.bayId = 0x0103;  // the right bay (side 3) of window 1
  p.band = 2;
  p.flags = 0x28;
  std::array<uint8_t, kBarPlacementSize> bytes{};
  PackBarPlacement(p, bytes);
  const std::array<uint8_t, kBarPlacementSize> expected = {0xFB, 0xFF, 0x2C, 0x01, 0x78, 0x00, 0x1B, 0x00,
                                                           0x01, 0x00, 0x03, 0x00, 0x02, 0x00, 0x28, 0x00};
  EXPECT_EQ(bytes, expected);

  StoredBarPlacement back{};
  ASSERT_TRUE(UnpackBarPlacement(bytes, &back));
  EXPECT_TRUE(back.docked);
  EXPECT_EQ(back.placement, p);

  // Sizes beyond 16 bits are held at the limit, not wrapped.
  p.x = -40000;
  p.length = 70000;
  PackBarPlacement(p, bytes);
  ASSERT_TRUE(UnpackBarPlacement(bytes, &back));
  EXPECT_EQ(back.placement.x, -32768);
  EXPECT_EQ(back.placement.length, 65535);
}

TEST(BarPlacementRecordTest, DamagedRecords) {
  std::array<uint8_t, kBarPlacementSize> bytes{};
  StoredBarPlacement back{};
  EXPECT_FALSE(UnpackBarPlacement(std::span<const uint8_t>(bytes.data(), 15), &back));
  EXPECT_FALSE(UnpackBarPlacement(std::span<const uint8_t>(), &back));
  bytes[10] = 0xFF;  // a floating bar's side
  bytes[12] = 20;    // band 20
  ASSERT_TRUE(UnpackBarPlacement(bytes, &back));
  EXPECT_FALSE(back.docked);
  EXPECT_EQ(back.placement.band, 15);
}

}  // namespace
}  // namespace zrf
