// Snapshot bytes: the head a 32-bit picture gets, and refusal of every malformed file.
#include "plant/snapshot_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace plant {
namespace {

std::vector<uint8_t> Snapshot32(int32_t width, int32_t height) {
  std::vector<uint8_t> file = BuildSnapshotHead(width, height);
  file.resize(file.size() + SnapshotRowBytes(width, 32) * height, 0x5A);
  return file;
}

void Poke32(std::vector<uint8_t>& file, size_t at, uint32_t value) { std::memcpy(file.data() + at, &value, 4); }
void Poke16(std::vector<uint8_t>& file, size_t at, uint16_t value) { std::memcpy(file.data() + at, &value, 2); }

TEST(SnapshotFormat, ThirtyTwoBitHeadHasNoColourTable) {
  const std::vector<uint8_t> file = Snapshot32(3, 2);
  ASSERT_EQ(file.size(), 44u + 4 * 3 * 2);
  uint32_t bitsOffset;
  std::memcpy(&bitsOffset, file.data(), 4);
  EXPECT_EQ(bitsOffset, 44u);
  SnapshotView view{};
  ASSERT_EQ(ParseSnapshot(file.data(), file.size(), &view), SnapshotResult::Ok);
  EXPECT_EQ(view.header.size, 40u);
  EXPECT_EQ(view.header.width, 3);
  EXPECT_EQ(view.header.height, 2);  // positive: rows bottom-up
  EXPECT_EQ(view.header.planes, 1);
  EXPECT_EQ(view.header.bitCount, 32);
  EXPECT_EQ(view.header.compression, 0u);
  EXPECT_EQ(view.header.sizeImage, 24u);
  EXPECT_EQ(view.header.colourCount, 0u);
  EXPECT_EQ(view.bits, file.data() + 44);
  EXPECT_EQ(view.bitsSize, 24u);
}

TEST(SnapshotFormat, PalettedSnapshotsCarryTheirTable) {
  // 8 bits, 5 x 2 pixels: rows of 8 bytes, 256 table entries, bits at 44 + 1024.
  std::vector<uint8_t> file = Snapshot32(5, 2);
  file.resize(44 + 1024 + 16);
  Poke32(file, 0, 44 + 1024);
  Poke16(file, 4 + 14, 8);
  Poke32(file, 4 + 32, 256);
  SnapshotView view{};
  ASSERT_EQ(ParseSnapshot(file.data(), file.size(), &view), SnapshotResult::Ok);
  EXPECT_EQ(view.bits, file.data() + 1068);
  EXPECT_EQ(view.bitsSize, 16u);
  // One bit per pixel: a row of 1 pixel still takes 4 bytes.
  EXPECT_EQ(SnapshotRowBytes(1, 1), 4u);
  EXPECT_EQ(SnapshotRowBytes(33, 1), 8u);
  EXPECT_EQ(SnapshotRowBytes(3, 24), 12u);
}

TEST(SnapshotFormat, MalformedFilesAreRefused) {
  struct Row {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    SnapshotResult expected;
  };
  const Row rows[] = {
      {"empty", [](auto& f) { f.clear(); }, SnapshotResult::Truncated},
      {"head cut short", [](auto& f) { f.resize(43); }, SnapshotResult::Truncated},
      {"last row cut short", [](auto& f) { f.pop_back(); }, SnapshotResult::Truncated},
      {"only the head", [](auto& f) { f.resize(44); }, SnapshotResult::Truncated},
      {"header size 124", [](auto& f) { Poke32(f, 4, 124); }, SnapshotResult::BadHeaderSize},
      {"width 0", [](auto& f) { Poke32(f, 8, 0); }, SnapshotResult::BadDimensions},
      {"negative height", [](auto& f) { Poke32(f, 12, uint32_t(-2)); }, SnapshotResult::BadDimensions},
      {"huge width", [](auto& f) { Poke32(f, 8, 0x7FFFFFFF); }, SnapshotResult::BadDimensions},
      {"huge height", [](auto& f) { Poke32(f, 12, 16385); }, SnapshotResult::BadDimensions},
      {"width times height past the data", [](auto& f) { Poke32(f, 8, 16384); Poke32(f, 12, 16384); },
       SnapshotResult::Truncated},
      {"two planes", [](auto& f) { Poke16(f, 16, 2); }, SnapshotResult::BadFormat},
      {"depth 7", [](auto& f) { Poke16(f, 18, 7); }, SnapshotResult::BadFormat},
      {"run-length compressed", [](auto& f) { Poke32(f, 20, 1); }, SnapshotResult::BadFormat},
      {"bit fields", [](auto& f) { Poke32(f, 20, 3); }, SnapshotResult::BadFormat},
      {"bits offset beyond the head", [](auto& f) { Poke32(f, 0, 48); }, SnapshotResult::BadColourTable},
      {"bits offset huge", [](auto& f) { Poke32(f, 0, 0xFFFFFFF0); }, SnapshotResult::BadColourTable},
      {"table on a 32-bit picture", [](auto& f) { Poke32(f, 36, 1); Poke32(f, 0, 48); },
       SnapshotResult::BadColourTable},
      {"8 bits without table", [](auto& f) { Poke16(f, 18, 8); }, SnapshotResult::BadColourTable},
      {"8 bits, 257 entries", [](auto& f) { Poke16(f, 18, 8); Poke32(f, 36, 257); Poke32(f, 0, 44 + 4 * 257); },
       SnapshotResult::BadColourTable},
      {"table count that wraps the offset",
       [](auto& f) { Poke16(f, 18, 8); Poke32(f, 36, 0x40000000); Poke32(f, 0, 44); },
       SnapshotResult::BadColourTable},
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> file = Snapshot32(4, 3);
    row.damage(file);
    SnapshotView view{};
    EXPECT_EQ(ParseSnapshot(file.data(), file.size(), &view), row.expected) << row.what;
  }
  std::vector<uint8_t> small = Snapshot32(1, 1);
  EXPECT_EQ(ParseSnapshot(small.data(), size_t{kMaxSnapshotFileSize} + 1, nullptr), SnapshotResult::TooLarge);
}

}  // namespace
}  // namespace plant
