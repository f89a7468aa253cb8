// Image choice in group-icon directories, including malformed ones.
#include "framework/style/icon_directory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Image {
  uint8_t width;
  uint16_t bits;
  uint16_t id;
};

std::vector<uint8_t> Directory(const std::vector<Image>& images) {
  std::vector<uint8_t> bytes = {0, 0, 1, 0, static_cast<uint8_t>(images.size()), 0};
  for (const Image& image : images) {
    const uint8_t entry[14] = {image.width,
                               image.width,
                               0,
                               0,
                               1,
                               0,
                               static_cast<uint8_t>(image.bits),
                               static_cast<uint8_t>(image.bits >> 8),
                               0,
                               1,
                               0,
                               0,
                               static_cast<uint8_t>(image.id),
                               static_cast<uint8_t>(image.id >> 8)};
    bytes.insert(bytes.end(), entry, entry + 14);
  }
  return bytes;
}

TEST(GroupIconChoice, DepthThenExactOrNearestWidth) {
  const std::vector<uint8_t> dir =
      Directory({{16, 4, 1}, {32, 4, 2}, {16, 32, 3}, {32, 32, 4}, {0, 32, 5}, {48, 32, 6}});
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 3, 32), 4);
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 3, 0), 3);    // first of the depth
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 3, 44), 6);   // 48 is nearer than 32
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 3, 200), 5);  // width 0 means 256
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 1, 30), 2);
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 2, 16), 1);   // no 8-bit: falls to 4-bit
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 0, 16), 0);   // no 1-bit and nothing below
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), -1, 16), 0);  // the system chooses
}

TEST(GroupIconChoice, MalformedDirectoriesChooseNothing) {
  std::vector<uint8_t> dir = Directory({{16, 32, 7}, {32, 32, 8}});
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size() - 1, 3, 32), 0);  // second entry cut short
  dir[4] = 0xFF;
  dir[5] = 0xFF;
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), dir.size(), 3, 32), 0);
  EXPECT_EQ(ChooseGroupIconImage(dir.data(), 5, 3, 32), 0);
  EXPECT_EQ(ChooseGroupIconImage(nullptr, 100, 3, 32), 0);
}

}  // namespace
