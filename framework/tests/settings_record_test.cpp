// Defaults, overlaying, validation and the file form of the settings record.
#include "framework/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/data_file.h"
#include "framework/tests/fake_file_ops.h"

namespace {

constexpr char kData[] = "C:\\data";
const std::string kAppFile = std::string(kData) + "\\(ZRF)App.zrd";

class SettingsRecordTest : public ::testing::Test {
 protected:
  SettingsRecordTest() : store(fs, kData, nullptr) { fs.folders = {"C:", kData}; }
  FakeFileOps fs;
  DataFileStore store;
};

// The default record as bytes, written out from the layout table by hand.
std::string DefaultBytes() {
  std::string bytes(297, '\0');
  bytes[8] = char(0xFF);
  const unsigned char background[4] = {0x18, 0x6E, 0xEE, 0x00};
  const unsigned char focus[4] = {0xFF, 0xAD, 0x55, 0x00};
  std::memcpy(&bytes[9], background, 4);
  std::memcpy(&bytes[17], focus, 4);
  return bytes;
}

TEST_F(SettingsRecordTest, MissingFileGivesDefaultsAndTheFileIs297Bytes) {
  SettingsRecord settings;
  EXPECT_FALSE(LoadSettingsRecord(store, &settings, 0));
  EXPECT_TRUE(SaveSettingsRecord(store, settings));
  EXPECT_EQ(fs.files[kAppFile], DefaultBytes());
}

TEST_F(SettingsRecordTest, ShortFileOverlaysOnlyItsOwnBytes) {
  // 100 bytes: language 1, version 5, scheme 2, background 0x00112233, then a font face whose
  // first 67 characters are in the file; the rest of the record keeps its defaults.
  std::string bytes(100, 'F');
  const unsigned char head[13] = {1, 0, 0, 0, 5, 0, 0, 0, 2, 0x33, 0x22, 0x11, 0x00};
  std::memcpy(&bytes[0], head, sizeof head);
  std::memset(&bytes[13], 0, 20);
  fs.files[kAppFile] = bytes;
  SettingsRecord settings;
  EXPECT_FALSE(LoadSettingsRecord(store, &settings, 5));
  EXPECT_EQ(int32_t(settings.language), 1);
  EXPECT_EQ(int(settings.colorScheme), 2);
  EXPECT_EQ(uint32_t(settings.customColors[kColorBackground]), 0x00112233u);
  EXPECT_EQ(uint32_t(settings.customColors[kColorFocus]), 0u);
  EXPECT_EQ(std::string(settings.fontFace), std::string(67, 'F'));
  EXPECT_EQ(int32_t(settings.fontSize), 0);
}

TEST_F(SettingsRecordTest, LanguagesOutsideZeroAndOneBecomeZero) {
  const struct {
    int32_t stored;
    int32_t used;
  } cases[] = {{0, 0}, {1, 1}, {2, 0}, {7, 0}, {-3, 0}, {INT32_MIN, 0}};
  for (const auto& c : cases) {
    SettingsRecord settings = DefaultSettingsRecord();
    settings.language = c.stored;
    ApplySettingsRules(&settings, 0);
    EXPECT_EQ(int32_t(settings.language), c.used) << "stored " << c.stored;
  }
}

TEST_F(SettingsRecordTest, ChangedVersionIsReportedAndReplaced) {
  SettingsRecord settings = DefaultSettingsRecord();
  settings.settingsVersion = 2;
  EXPECT_TRUE(ApplySettingsRules(&settings, 3));
  EXPECT_EQ(int32_t(settings.settingsVersion), 3);
  EXPECT_FALSE(ApplySettingsRules(&settings, 3));
}

TEST_F(SettingsRecordTest, RoundTripAndOverlongFile) {
  SettingsRecord settings = DefaultSettingsRecord();
  settings.language = 1;
  settings.settingsVersion = 9;
  std::strcpy(settings.fontFace, "Segoe UI");
  settings.fontSize = -12;
  ASSERT_TRUE(SaveSettingsRecord(store, settings));
  fs.files[kAppFile] += std::string(50, 'z');  // a longer file gives its first 297 bytes
  SettingsRecord back;
  EXPECT_FALSE(LoadSettingsRecord(store, &back, 9));
  EXPECT_EQ(std::memcmp(&back, &settings, sizeof settings), 0);
}

TEST_F(SettingsRecordTest, FontFaceWithoutTerminatorIsCut) {
  std::string bytes = DefaultBytes();
  std::memset(&bytes[33], 'A', 260);
  fs.files[kAppFile] = bytes;
  SettingsRecord settings;
  LoadSettingsRecord(store, &settings, 0);
  EXPECT_EQ(std::strlen(settings.fontFace), 259u);
}

}  // namespace
