// The data-file store over an in-memory file system: names, short and long files, a failure at
// each step of the write-then-replace sequence, folder creation and path limits.
#include "framework/files/data_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/files/tests/fake_file_ops.h"

namespace {

constexpr char kData[] = "C:\\u\\Brambeck\\Verdelo";
constexpr char kCommon[] = "C:\\all";
const std::string kRec = std::string(kData) + "\\Rec.zrd";

class DataFileTest : public ::testing::Test {
 protected:
  DataFileTest() : store(fs, kData, kCommon) {
    fs.folders = {"C:", "C:\\u", "C:\\u\\Brambeck", kData, kCommon};
  }
  FakeFileOps fs;
  DataFileStore store;
};

TEST_F(DataFileTest, NamesAndLocations) {
  fs.files[std::string(kData) + "\\(ZRF)Win0.zrd"] = "win0";
  fs.files[std::string(kData) + "\\(ZRF)Win.zrd"] = "win";
  fs.files[std::string(kCommon) + "\\(ZRF)Win.zrd"] = "common";
  char buffer[8] = {};
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 0, buffer, 8, kDataFolderLocation), 4u);
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", kNoFileNumber, buffer, 8, kDataFolderLocation), 3u);
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", kNoFileNumber, buffer, 8, kCommonDataFolderLocation), 6u);
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", kNoFileNumber, buffer, 8, 2), 0u);
  // A folder not set up yet: nothing is read or written (not at the root of the drive).
  DataFileStore unset(fs, "", nullptr);
  fs.calls.clear();
  EXPECT_EQ(unset.WriteDataFile("(ZRF)App", -1, "abc", 3, 0), 0u);
  EXPECT_EQ(unset.ReadDataFile("(ZRF)App", -1, buffer, 3, 1), 0u);
  EXPECT_TRUE(fs.calls.empty());
}

TEST_F(DataFileTest, ShortAndLongFilesFillWhatTheyCan) {
  fs.files[kRec] = std::string(10, 'S');
  unsigned char record[16];
  std::memset(record, 0xAA, sizeof record);
  EXPECT_EQ(store.ReadDataFile("Rec", -1, record, 16, 0), 10u);
  EXPECT_EQ(record[9], 'S');
  EXPECT_EQ(record[10], 0xAA);
  fs.files[kRec] = std::string(20, 'L');
  EXPECT_EQ(store.ReadDataFile("Rec", -1, record, 16, 0), 16u);
  EXPECT_EQ(record[15], 'L');
  EXPECT_EQ(store.ReadDataFile("Rec", -1, nullptr, 0, 0), 20u);
}

TEST_F(DataFileTest, WriteGoesThroughTheTempFile) {
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 4u);
  std::vector<std::string> expected = {"write " + kRec + "_tmp", "replace " + kRec + "_tmp " + kRec};
  EXPECT_EQ(fs.calls, expected);
  EXPECT_EQ(fs.files[kRec], "new!");
  EXPECT_EQ(fs.files.count(kRec + "_tmp"), 0u);
}

TEST_F(DataFileTest, FailureAtAnyStepKeepsTheOldRecord) {
  fs.files[kRec] = "old!";
  fs.replaceFails = true;  // the process dies after the temporary file, before the move
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[kRec], "old!");
  fs.replaceFails = false;
  fs.writeLimit = 2;  // an incomplete temporary file never replaces the target
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[kRec], "old!");
  EXPECT_EQ(fs.files.count(kRec + "_tmp"), 0u);
  fs.writeLimit = -1;  // a temporary file held by another writer is left to it
  fs.files[kRec + "_tmp"] = "theirs";
  fs.lockedFiles.insert(kRec + "_tmp");
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(fs.files[kRec], "old!");
  EXPECT_EQ(fs.files[kRec + "_tmp"], "theirs");
}

TEST_F(DataFileTest, DeletedDataFolderIsRecreatedFromTheTopDown) {
  fs.folders = {"C:"};
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "abc", 3, 0), 3u);
  std::vector<std::string> made;
  for (const auto& call : fs.calls)
    if (call.rfind("mkdir ", 0) == 0) made.push_back(call.substr(6));
  EXPECT_EQ(made, (std::vector<std::string>{"C:\\u", "C:\\u\\Brambeck", kData}));
  fs.folders = {"C:"};
  fs.foldersThatFail.insert("C:\\u");
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "xyz", 3, 0), 0u);
  EXPECT_EQ(fs.pauses, 1);
}

TEST_F(DataFileTest, PathsThatDoNotFitAreRefusedWithoutTouchingAnything) {
  // "<folder>\N.zrd" has f + 6 characters and its temporary name f + 10; both must stay below 260.
  std::string fits = "C:\\" + std::string(246, 'd');  // 249: the temporary name has 259
  std::string tooLong = fits + "d";
  fs.folders = {"C:", fits, tooLong};
  fs.files[tooLong + "\\N.zrd"] = "old";
  DataFileStore fitsStore(fs, fits.c_str(), nullptr);
  DataFileStore tooLongStore(fs, tooLong.c_str(), nullptr);
  EXPECT_EQ(fitsStore.WriteDataFile("N", -1, "ok", 2, 0), 2u);
  fs.calls.clear();
  EXPECT_EQ(tooLongStore.WriteDataFile("N", -1, "new", 3, 0), 0u);
  EXPECT_TRUE(fs.calls.empty());
  EXPECT_EQ(fs.files[tooLong + "\\N.zrd"], "old");
  char back[4] = {};
  EXPECT_EQ(tooLongStore.ReadDataFile("N", -1, back, 3, 0), 3u);  // the target itself fits
  EXPECT_EQ(tooLongStore.ReadDataFile("N", 123456789, back, 3, 0), 0u);
}

}  // namespace
