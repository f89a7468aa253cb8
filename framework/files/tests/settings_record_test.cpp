// Defaults, overlaying, validation and the file form of the settings record.
#include "framework/files/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/files/data_file.h"
#include "framework/files/tests/fake_file_ops.h"

namespace {

const std::string kAppFile = "C:\\d\\(ZRF)App.zrd";

class SettingsRecordTest : public ::testing::Test {
 protected:
  SettingsRecordTest() : store(fs, "C:\\d", nullptr) { fs.folders = {"C:", "C:\\d"}; }
  FakeFileOps fs;
  DataFileStore store;
};

// The default record's bytes, from the layout table by hand.
std::string DefaultBytes() {
  std::string bytes(297, '\0');
  bytes[8] = char(0xFF);
  std::memcpy(&bytes[9], "\x18\x6E\xEE\x00", 4);
  std::memcpy(&bytes[17], "\xFF\xAD\x55\x00", 4);
  return bytes;
}

TEST_F(SettingsRecordTest, MissingFileGivesTheDefaultsWrittenAs297Bytes) {
  SettingsRecord settings;
  EXPECT_FALSE(LoadSettingsRecord(store, &settings, 0));
  EXPECT_TRUE(SaveSettingsRecord(store, settings));
  EXPECT_EQ(fs.files[kAppFile], DefaultBytes());
}

TEST_F(SettingsRecordTest, ShortFileOverlaysItsBytesAndLongFileGivesTheFirst297) {
  // 100 bytes: language 1, version 5, scheme 2, background 0x00112233, 67 characters of face.
  std::string bytes(100, 'F');
  std::memcpy(&bytes[0], "\x01\0\0\0\x05\0\0\0\x02\x33\x22\x11\0", 13);
  std::memset(&bytes[13], 0, 20);
  fs.files[kAppFile] = bytes;
  SettingsRecord settings;
  EXPECT_FALSE(LoadSettingsRecord(store, &settings, 5));
  EXPECT_EQ(int32_t(settings.language), 1);
  EXPECT_EQ(int(settings.colorScheme), 2);
  EXPECT_EQ(uint32_t(settings.customColors[kColorBackground]), 0x00112233u);
  EXPECT_EQ(settings.fontFace[0], '\0');  // a face without a size is no font the dialog stores
  fs.files[kAppFile] = DefaultBytes() + std::string(50, 'z');
  EXPECT_FALSE(LoadSettingsRecord(store, &settings, 0));
  EXPECT_EQ(std::memcmp(&settings, DefaultBytes().data(), 297), 0);
}

TEST_F(SettingsRecordTest, RulesForLanguageVersionAndFont) {
  for (int32_t language : {0, 1, 2, 7, -3, INT32_MIN}) {
    SettingsRecord settings = DefaultSettingsRecord();
    settings.language = language;
    ApplySettingsRules(&settings, 0);
    EXPECT_EQ(int32_t(settings.language), language == 1 ? 1 : 0) << language;
  }
  SettingsRecord settings = DefaultSettingsRecord();
  settings.settingsVersion = 2;
  EXPECT_TRUE(ApplySettingsRules(&settings, 3));
  EXPECT_EQ(int32_t(settings.settingsVersion), 3);
  EXPECT_FALSE(ApplySettingsRules(&settings, 3));

  // Fonts the font dialog stores stay; any other is no custom font, its bytes cleared.
  struct FontRow {
    std::string face;  // the field's first bytes; the rest stays as filled
    char fill;
    int32_t size;
    bool kept;
  };
  const FontRow rows[] = {
      {"Tahoma", '\0', 12, true},          {std::string(31, 'W'), '\0', 2184, true},
      {"\xC4rial", '\0', 1, true},          {"", '\0', 0, true},
      {"", '\0', 200, true},                 {"Tahoma", '\0', 0, false},
      {"Tahoma", '\0', 2185, false},         {"Tahoma", '\0', 0x7FFFFFFF, false},
      {"Tahoma", '\0', INT32_MIN, false},    {"Tahoma", '\0', 100000, false},
      {"", '\0', -5, false},                 {std::string(32, 'W'), '\0', 12, false},
      {"Tah\x01oma", '\0', 12, false},       {"Tahoma\x7F", '\0', 12, false},
      {"A", 'A', 12, false},                  // no NUL in all of its 260 bytes
  };
  for (const FontRow& row : rows) {
    SettingsRecord record = DefaultSettingsRecord();
    std::memset(record.fontFace, row.fill, sizeof record.fontFace);
    std::memcpy(record.fontFace, row.face.data(), row.face.size());
    record.fontSize = row.size;
    const SettingsRecord before = record;
    ApplySettingsRules(&record, 0);
    const std::string shown = testing::PrintToString(row.face) + " " + std::to_string(row.size);
    if (row.kept) {
      EXPECT_EQ(std::memcmp(record.fontFace, before.fontFace, sizeof record.fontFace), 0) << shown;
      EXPECT_EQ(int32_t(record.fontSize), row.size) << shown;
    } else {
      EXPECT_EQ(std::string(record.fontFace, sizeof record.fontFace), std::string(260, '\0')) << shown;
      EXPECT_EQ(int32_t(record.fontSize), 0) << shown;
    }
  }
}

}  // namespace
