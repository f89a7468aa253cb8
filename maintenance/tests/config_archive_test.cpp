// Configuration archives on a real data folder: the product entry's bytes, which files go in and
// under which names, files that cannot be read, a failing close, and the verdict on archives
// offered for restoring.
#include "maintenance/config_archive.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/files/tests/temp_tree.h"
#include "maintenance/tests/sample_data_folder.h"
#include "zip/zip_file.h"
#include "zip/zip_reader.h"

namespace {

struct Entry {
  std::string name;
  std::string data;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> ReadArchive(const std::string& path) {
  std::vector<Entry> entries;
  zip::ZipHandle* archive = zip::ZipReaderOpen(path.c_str(), nullptr);
  if (archive == nullptr) return entries;
  zip::ZipEntryInfo summary;
  if (zip::ZipReaderGetEntry(archive, -1, &summary) == zip::ZipResult::Ok) {
    for (int32_t i = 0; i < summary.index; ++i) {
      zip::ZipEntryInfo info;
      if (zip::ZipReaderGetEntry(archive, i, &info) != zip::ZipResult::Ok) break;
      std::string data(static_cast<size_t>(info.uncompressedSize) + 1, '\0');
      if (zip::ZipReaderExtractToMemory(archive, i, data.data(), uint32_t(data.size())) != zip::ZipResult::Ok)
        break;
      data.resize(static_cast<size_t>(info.uncompressedSize));
      entries.push_back({info.name, data});
    }
  }
  (void)zip::ZipReaderClose(archive);
  return entries;
}

const std::string kProductEntry(
    "\0"
    "1.2.3",
    6);

class ConfigArchiveTest : public testing::Test {
 protected:
  ConfigArchiveTest() : tree_("verdelo-config-archive") {
    FillSampleDataFolder(tree_, "data");
    folder_ = tree_.Path("data");
    source_ = {folder_.c_str(), "Verdelo", "", "*.plt;*.pim", {1, 2, 3}};
  }
  TempTree tree_;
  std::string folder_;
  ConfigArchiveSource source_;
};

TEST(ProductEntry, KeepListNulAndVersion) {
  char entry[kProductEntryCapacity];
  const int32_t version[3] = {1, 2, 3};
  ASSERT_EQ(BuildProductEntry("", version, entry), 6u);
  EXPECT_EQ(std::string(entry, 6), kProductEntry);
  // The longest keep list and version fill the buffer to its last byte but one.
  const std::string keep(300, 'k');
  const int32_t widest[3] = {INT_MIN, INT_MIN, INT_MIN};
  ASSERT_EQ(BuildProductEntry(keep.c_str(), widest, entry), kProductEntryCapacity - 1);
  EXPECT_EQ(std::string(entry + 260), "-2147483648.-2147483648.-2147483648");
}

TEST(ProductEntry, FilePatternsAlwaysTakeDataFiles) {
  char patterns[kFileListPatternsSize];
  BuildConfigFilePatterns("*.plt;*.pim", patterns);
  EXPECT_STREQ(patterns, "*.zrd;*.plt;*.pim");
  BuildConfigFilePatterns("", patterns);
  EXPECT_STREQ(patterns, "*.zrd");
}

TEST_F(ConfigArchiveTest, BackupHoldsTheProductEntryThenEveryConfigurationFile) {
  const std::string archive = tree_.Path("backup.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive(source_, archive.c_str(), true), TransferResult::Done);
  EXPECT_EQ(ReadArchive(archive), (std::vector<Entry>{{"Verdelo", kProductEntry},
                                                      {"a.zrd", "settings"},
                                                      {"p.plt", "plant"},
                                                      {"p.pim", "picture"},
                                                      {"sub/b.zrd", "window"}}));
  EXPECT_EQ(CheckConfigArchive(archive.c_str(), "Verdelo"), ArchiveVerdict::Accepted);
  EXPECT_EQ(CheckConfigArchive(archive.c_str(), "verdelo"), ArchiveVerdict::WrongProduct);

  // A reset archive holds the product entry alone.
  ASSERT_EQ(WriteConfigArchive(source_, archive.c_str(), false), TransferResult::Done);
  EXPECT_EQ(ReadArchive(archive), (std::vector<Entry>{{"Verdelo", kProductEntry}}));
}

TEST_F(ConfigArchiveTest, FileThatCannotBeReadIsLeftOutAndCounted) {
  std::error_code failed;
  std::filesystem::create_symlink(tree_.Path("data/gone"), tree_.Path("data/gone.zrd"), failed);
  if (failed) GTEST_SKIP() << "no links here: " << failed.message();
  const std::string archive = tree_.Path("backup.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive(source_, archive.c_str(), true), TransferResult::FilesSkipped);
  EXPECT_EQ(ReadArchive(archive).size(), 5u);
  EXPECT_EQ(CheckConfigArchive(archive.c_str(), "Verdelo"), ArchiveVerdict::Accepted);
}

// Every write reaches the disk, but pushing it there fails: a full disk seen at the close.
bool FailingFlush(zip::OsHandle) { return false; }

TEST_F(ConfigArchiveTest, ArchiveThatCannotBeCompletedLeavesNoNewFile) {
  const std::string archive = tree_.Path("backup.BrambeckConfig");
  tree_.File("backup.BrambeckConfig", "yesterday's archive");
  zip::FileCalls calls = zip::SystemFileCalls();
  calls.flush = FailingFlush;
  zip::SetFileCallsForTesting(&calls);
  const TransferResult result = WriteConfigArchive(source_, archive.c_str(), true);
  zip::SetFileCallsForTesting(nullptr);
  EXPECT_EQ(result, TransferResult::ArchiveError);
  EXPECT_EQ(tree_.Read("backup.BrambeckConfig"), "yesterday's archive");
  EXPECT_FALSE(tree_.Exists("backup.BrambeckConfig_tmp"));
  // A folder that does not exist cannot take an archive at all.
  EXPECT_EQ(WriteConfigArchive(source_, tree_.Path("missing/x.BrambeckConfig").c_str(), true),
            TransferResult::ArchiveError);
}

TEST_F(ConfigArchiveTest, VerdictOnFilesOfferedForRestoring) {
  EXPECT_EQ(CheckConfigArchive(tree_.Path("data/x.txt").c_str(), "Verdelo"), ArchiveVerdict::NotAnArchive);
  EXPECT_EQ(CheckConfigArchive(tree_.Path("none").c_str(), "Verdelo"), ArchiveVerdict::NotAnArchive);
  const std::string archive = tree_.Path("backup.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive(source_, archive.c_str(), true), TransferResult::Done);
  EXPECT_EQ(CheckConfigArchive(archive.c_str(), "Other"), ArchiveVerdict::WrongProduct);

  // One byte of an entry's data changed: the product entry is still found, the entry fails.
  std::string bytes = tree_.Read("backup.BrambeckConfig");
  const size_t name = bytes.find("p.pim");
  ASSERT_NE(name, std::string::npos);
  bytes[name + 5 + 17] = static_cast<char>(bytes[name + 5 + 17] ^ 0x55);  // past the name and its "UT" field
  tree_.File("damaged.BrambeckConfig", bytes);
  EXPECT_EQ(CheckConfigArchive(tree_.Path("damaged.BrambeckConfig").c_str(), "Verdelo"),
            ArchiveVerdict::Damaged);
}

}  // namespace
