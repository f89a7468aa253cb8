// Trailing backslashes of path buffers.
#include "framework/base/path_backslash.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(TrailingBackslash, AddAndRemove) {
  char path[kPathCapacity] = "";
  EXPECT_STREQ(AddTrailingBackslash(path), "");
  std::strcpy(path, "C:\\data");
  EXPECT_STREQ(AddTrailingBackslash(path), "C:\\data\\");
  EXPECT_STREQ(AddTrailingBackslash(path), "C:\\data\\");
  std::strcpy(path, "C:\\data\\\\");
  EXPECT_STREQ(RemoveTrailingBackslash(path), "C:\\data\\");
  EXPECT_STREQ(RemoveTrailingBackslash(path), "C:\\data");
  EXPECT_STREQ(RemoveTrailingBackslash(path), "C:\\data");
}

TEST(TrailingBackslash, FullBufferIsLeftAlone) {
  char path[kPathCapacity];
  std::string full(kPathCapacity - 1, 'x');
  std::strcpy(path, full.c_str());
  EXPECT_EQ(std::string(AddTrailingBackslash(path)), full);
  full.pop_back();
  std::strcpy(path, full.c_str());
  EXPECT_EQ(std::string(AddTrailingBackslash(path)), full + "\\");
}

}  // namespace
