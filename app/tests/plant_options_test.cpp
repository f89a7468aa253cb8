// The options record over an in-memory data folder: defaults, short and long files, the exact
// bytes written, a failed write; and the wallpaper decision.
#include "app/plant_options.h"

#include <gtest/gtest.h>

#include <string>

#include "app/wallpaper_value.h"
#include "framework/files/data_file.h"
#include "framework/files/tests/fake_file_ops.h"

namespace plantapp {
namespace {

constexpr char kData[] = "C:\\d";
const std::string kFile = std::string(kData) + "\\Fern-Options.zrd";

class PlantOptionsTest : public ::testing::Test {
 protected:
  PlantOptionsTest() : store(fs, kData, "C:\\all") { fs.folders = {"C:", kData}; }
  FakeFileOps fs;
  DataFileStore store;
};

TEST_F(PlantOptionsTest, MissingFileKeepsTheDefaultsShortFileOverlaysLongFileIsCut) {
  PlantOptions defaults;
  ReadOptions(store, "Fern-Options", &defaults);
  EXPECT_EQ(defaults.idleCpu, 1);
  // Ten bytes: autostart 1, idle CPU 0, and the low half of follow screen mode.
  fs.files[kFile] = std::string("\1\0\0\0\0\0\0\0\5\0", 10);
  PlantOptions options;
  options.fahrenheit = 7;
  ReadOptions(store, "Fern-Options", &options);
  EXPECT_EQ(options.autostart, 1);
  EXPECT_EQ(options.idleCpu, 0);
  EXPECT_EQ(options.followScreenMode, 5);
  EXPECT_EQ(options.fahrenheit, 7);

  fs.files[kFile] = std::string("\0\0\0\0\1\0\0\0\0\0\0\0\2\0\0\0\3\0\0\0", 20);
  ReadOptions(store, "Fern-Options", &options);
  EXPECT_EQ(options.autostart, 0);
  EXPECT_EQ(options.fahrenheit, 2);
}

TEST_F(PlantOptionsTest, SaveWritesSixteenLittleEndianBytesOrKeepsTheOldFile) {
  PlantOptions options;
  options.autostart = 1;
  options.fahrenheit = -2;
  EXPECT_EQ(SaveOptions(store, "Fern-Options", options), 16u);
  EXPECT_EQ(fs.files[kFile], std::string("\1\0\0\0\1\0\0\0\0\0\0\0\xFE\xFF\xFF\xFF", 16));

  fs.replaceFails = true;
  options.autostart = 0;
  EXPECT_EQ(SaveOptions(store, "Fern-Options", options), 0u);
  EXPECT_EQ(fs.files[kFile][0], '\1');
}

TEST(WallpaperDecision, MissingEmptyOrParenthesisedValuesAreReplaced) {
  EXPECT_TRUE(ShouldReplaceWallpaper(WallpaperRead::Missing, ""));
  EXPECT_TRUE(ShouldReplaceWallpaper(WallpaperRead::Read, ""));
  EXPECT_TRUE(ShouldReplaceWallpaper(WallpaperRead::Read, std::string_view("\0", 1)));
  EXPECT_TRUE(ShouldReplaceWallpaper(WallpaperRead::Read, "(None)"));
  EXPECT_FALSE(ShouldReplaceWallpaper(WallpaperRead::Read, "C:\\Pictures\\a very long wallpaper name.bmp"));
  EXPECT_FALSE(ShouldReplaceWallpaper(WallpaperRead::Failed, ""));
}

}  // namespace
}  // namespace plantapp
