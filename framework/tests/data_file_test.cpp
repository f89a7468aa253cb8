// The data-file store over an in-memory file system: names, short and long files, the
// write-then-replace sequence with failures at each step, folder creation and path limits.
#include "framework/data_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/tests/fake_file_ops.h"

namespace {

constexpr char kData[] = "C:\\Users\\u\\Brambeck\\Verdelo";
constexpr char kCommon[] = "C:\\ProgramData\\Brambeck\\Verdelo";

class DataFileTest : public ::testing::Test {
 protected:
  DataFileTest() : store(fs, kData, kCommon) {
    fs.folders = {"C:",
                  "C:\\Users",
                  "C:\\Users\\u",
                  "C:\\Users\\u\\Brambeck",
                  kData,
                  "C:\\ProgramData",
                  "C:\\ProgramData\\Brambeck",
                  kCommon};
  }
  static std::string InData(const std::string& name) { return std::string(kData) + "\\" + name; }

  FakeFileOps fs;
  DataFileStore store;
};

TEST_F(DataFileTest, NamesCarryTheNumberUnlessItIsMinusOne) {
  fs.files[InData("(ZRF)Win0.zrd")] = "win0";
  fs.files[InData("(ZRF)Win.zrd")] = "win";
  fs.files[std::string(kCommon) + "\\(ZRF)App.zrd"] = "common";
  char buffer[8] = {};
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 0, buffer, 8, kDataFolderLocation), 4u);
  EXPECT_STREQ(buffer, "win0");
  std::memset(buffer, 0, sizeof buffer);
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", kNoFileNumber, buffer, 8, kDataFolderLocation), 3u);
  EXPECT_STREQ(buffer, "win");
  std::memset(buffer, 0, sizeof buffer);
  EXPECT_EQ(store.ReadDataFile("(ZRF)App", -1, buffer, 8, kCommonDataFolderLocation), 6u);
  EXPECT_STREQ(buffer, "common");
  EXPECT_EQ(store.ReadDataFile("(ZRF)App", -1, buffer, 8, 2), 0u);
  EXPECT_EQ(store.ReadDataFile("(ZRF)App", -1, buffer, 8, -1), 0u);
}

TEST_F(DataFileTest, ShortLongMissingAndEmptyFiles) {
  fs.files[InData("Short.zrd")] = std::string(10, 'S');
  fs.files[InData("Long.zrd")] = std::string(20, 'L');
  fs.files[InData("Empty.zrd")] = "";
  unsigned char record[16];
  std::memset(record, 0xAA, sizeof record);
  EXPECT_EQ(store.ReadDataFile("Short", -1, record, 16, 0), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(record[i], 'S');
  for (int i = 10; i < 16; ++i) EXPECT_EQ(record[i], 0xAA) << "byte " << i;
  EXPECT_EQ(store.ReadDataFile("Long", -1, record, 16, 0), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(record[i], 'L');
  std::memset(record, 0xAA, sizeof record);
  EXPECT_EQ(store.ReadDataFile("Missing", -1, record, 16, 0), 0u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(record[i], 0xAA);
  EXPECT_EQ(store.ReadDataFile("Long", -1, nullptr, 0, 0), 20u);
  EXPECT_EQ(store.ReadDataFile("Empty", -1, nullptr, 0, 0), 0u);
  EXPECT_EQ(store.ReadDataFile("Missing", -1, nullptr, 0, 0), 0u);
}

TEST_F(DataFileTest, WriteGoesThroughTempAndLeavesNoTemp) {
  const char record[] = "0123456789abcdef";
  EXPECT_EQ(store.WriteDataFile("(ZRF)Win", 3, record, 16, 0), 16u);
  std::string target = InData("(ZRF)Win3.zrd");
  std::vector<std::string> expected = {"write " + target + "_tmp", "replace " + target + "_tmp " + target};
  EXPECT_EQ(fs.calls, expected);
  EXPECT_EQ(fs.files.count(target + "_tmp"), 0u);
  char back[17] = {};
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 3, back, 16, 0), 16u);
  EXPECT_STREQ(back, record);
}

TEST_F(DataFileTest, FailureAtAnyStepKeepsTheOldRecord) {
  std::string target = InData("Rec.zrd");
  fs.files[target] = "old!";
  // The process dies after the temporary file is complete but before the move.
  fs.replaceFails = true;
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[target], "old!");
  // A short write: the temporary file is incomplete, so it never replaces the target.
  fs.replaceFails = false;
  fs.writeLimit = 2;
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[target], "old!");
  EXPECT_EQ(fs.files.count(target + "_tmp"), 0u);
  // A stale temporary file from a crash is neither read nor in the way of the next write.
  fs.writeLimit = -1;
  fs.files[target + "_tmp"] = "ha";
  char back[5] = {};
  EXPECT_EQ(store.ReadDataFile("Rec", -1, back, 4, 0), 4u);
  EXPECT_STREQ(back, "old!");
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 4u);
  EXPECT_EQ(fs.files[target], "new!");
  EXPECT_EQ(fs.files.count(target + "_tmp"), 0u);
}

TEST_F(DataFileTest, TempHeldByAnotherWriterIsLeftAlone) {
  std::string target = InData("Rec.zrd");
  fs.files[target] = "old!";
  fs.files[target + "_tmp"] = "theirs";
  fs.lockedFiles.insert(target + "_tmp");
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[target], "old!");
  EXPECT_EQ(fs.files[target + "_tmp"], "theirs");
}

TEST_F(DataFileTest, DeletedDataFolderIsRecreatedLevelByLevel) {
  fs.folders = {"C:", "C:\\Users"};
  EXPECT_EQ(store.WriteDataFile("(ZRF)App", -1, "abc", 3, 0), 3u);
  std::vector<std::string> made;
  for (const auto& call : fs.calls)
    if (call.rfind("mkdir ", 0) == 0) made.push_back(call.substr(6));
  std::vector<std::string> expected = {"C:\\Users\\u", "C:\\Users\\u\\Brambeck", kData};
  EXPECT_EQ(made, expected);
  EXPECT_EQ(fs.files[InData("(ZRF)App.zrd")], "abc");
  // A folder that cannot be made: one pause, nothing written.
  fs.folders = {"C:"};
  fs.foldersThatFail.insert("C:\\Users");
  EXPECT_EQ(store.WriteDataFile("(ZRF)App", -1, "xyz", 3, 0), 0u);
  EXPECT_EQ(fs.pauses, 1);
}

TEST_F(DataFileTest, PathsThatDoNotFitAreRefusedWithoutTouchingAnything) {
  // Target "<folder>\N.zrd": with a folder of f characters it has f + 6 characters, its
  // temporary name f + 10; both must stay below 260.
  std::string folder = "C:\\" + std::string(249 - 3, 'd');  // 249 characters: temp has 259
  fs.folders = {"C:", folder};
  DataFileStore longStore(fs, folder.c_str(), kCommon);
  EXPECT_EQ(longStore.WriteDataFile("N", -1, "ok", 2, 0), 2u);
  std::string tooLong = folder + "d";  // 250 characters: the temporary name would need 260
  fs.folders.insert(tooLong);
  fs.files[tooLong + "\\N.zrd"] = "old";
  DataFileStore tooLongStore(fs, tooLong.c_str(), kCommon);
  fs.calls.clear();
  EXPECT_EQ(tooLongStore.WriteDataFile("N", -1, "new", 3, 0), 0u);
  EXPECT_TRUE(fs.calls.empty());
  EXPECT_EQ(fs.files[tooLong + "\\N.zrd"], "old");
  // Reading such a target still works (it fits); a target that does not fit is not read cut.
  char back[4] = {};
  EXPECT_EQ(tooLongStore.ReadDataFile("N", -1, back, 3, 0), 3u);
  EXPECT_EQ(tooLongStore.ReadDataFile(std::string(300, 'n').c_str(), -1, back, 3, 0), 0u);
  EXPECT_EQ(tooLongStore.ReadDataFile("N", 123456789, back, 3, 0), 0u);
}

TEST_F(DataFileTest, NoFolderSetUpMeansNoFile) {
  DataFileStore unset(fs, "", nullptr);
  EXPECT_EQ(unset.WriteDataFile("(ZRF)App", -1, "abc", 3, 0), 0u);
  EXPECT_EQ(unset.WriteDataFile("(ZRF)App", -1, "abc", 3, 1), 0u);
  EXPECT_TRUE(fs.calls.empty());
}

TEST(BuildFolderFilePath, JoinsTheGivenParts) {
  char path[kDataPathCapacity];
  EXPECT_TRUE(BuildFolderFilePath(path, "C:\\d", "name", "zrd"));
  EXPECT_STREQ(path, "C:\\d\\name.zrd");
  EXPECT_TRUE(BuildFolderFilePath(path, "C:\\d", "name", nullptr));
  EXPECT_STREQ(path, "C:\\d\\name");
  EXPECT_TRUE(BuildFolderFilePath(path, "C:\\d", nullptr, "zrd"));
  EXPECT_STREQ(path, "C:\\d.zrd");
  EXPECT_FALSE(BuildFolderFilePath(path, nullptr, "name", "zrd"));
  EXPECT_STREQ(path, "");
  std::string exact(259, 'x');
  EXPECT_TRUE(BuildFolderFilePath(path, exact.c_str(), nullptr, nullptr));
  EXPECT_FALSE(BuildFolderFilePath(path, (exact + "x").c_str(), nullptr, nullptr));
}

}  // namespace
