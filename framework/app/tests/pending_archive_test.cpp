// Applying a pending configuration archive written by the project's zip writer to a real folder:
// the keep list split and matched, unlisted files removed, entries extracted, and archives that
// must change nothing (no product entry, an over-long keep list, not a zip) or nothing outside
// the data folder (hostile names).
#include "framework/app/pending_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "zip/zip_writer.h"

namespace {

namespace fs = std::filesystem;
constexpr char kProduct[] = "ZrfTest";

class PendingArchive : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("pending-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    data_ = root_ / "data";
    fs::create_directories(data_ / "sub");
    Put("a.keep", "old a");
    Put("b.txt", "old b");
    Put("sub/c.txt", "old c");
    Put("sub/d.KEEP", "old d");
    char path[260];
    ASSERT_TRUE(PendingArchivePath(data_.string().c_str(), kProduct, path));
    archive_ = path;
  }
  void TearDown() override { fs::remove_all(root_); }

  void Put(const std::string& name, const std::string& text) { std::ofstream(data_ / name) << text; }
  std::string Read(const std::string& name) {
    std::ifstream in(data_ / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Entries in order; the product entry is named kProduct.
  void WriteArchive(const std::vector<std::pair<std::string, std::string>>& entries) {
    zip::ZipHandle* writer = zip::ZipWriterOpen(archive_.c_str(), nullptr);
    ASSERT_NE(writer, nullptr);
    for (const auto& [name, bytes] : entries) {
      ASSERT_EQ(zip::ZipWriterAddMemory(writer, name.c_str(), bytes.data(), uint32_t(bytes.size())),
                zip::ZipResult::Ok);
    }
    ASSERT_EQ(zip::ZipWriterClose(writer), zip::ZipResult::Ok);
  }

  PendingArchiveOutcome Apply() {
    removed_.clear();
    return ApplyPendingArchive(archive_.c_str(), data_.string().c_str(), kProduct, Remove, this);
  }
  static void Remove(void* context, const char* path) {
    auto* self = static_cast<PendingArchive*>(context);
    self->removed_.push_back(fs::path(path).lexically_relative(self->data_).generic_string());
    fs::remove(path);
  }
  std::vector<std::string> Removed() {
    std::sort(removed_.begin(), removed_.end());
    return removed_;
  }

  fs::path root_;
  fs::path data_;
  std::string archive_;
  std::vector<std::string> removed_;
};

// The product entry as the configuration backup writes it: keep list, NUL, version.
std::string ProductEntry(const std::string& keepList) { return keepList + std::string(1, '\0') + "1.0.3"; }

TEST_F(PendingArchive, KeepsListedFilesRemovesTheRestAndExtracts) {
  WriteArchive(
      {{kProduct, ProductEntry("*.keep;sub\\nothing;*.none")}, {"b.txt", "new b"}, {"new/e.txt", "new e"}});
  ASSERT_EQ(Apply(), PendingArchiveOutcome::Applied);
  // Matched without regard to case in every folder; the archive itself is never removed.
  EXPECT_EQ(Removed(), (std::vector<std::string>{"b.txt", "sub/c.txt"}));
  EXPECT_EQ(Read("a.keep"), "old a");
  EXPECT_EQ(Read("sub/d.KEEP"), "old d");
  EXPECT_EQ(Read("b.txt"), "new b");
  EXPECT_EQ(Read("new/e.txt"), "new e");
  EXPECT_FALSE(fs::exists(data_ / kProduct));  // the product entry is not a file
  EXPECT_TRUE(fs::exists(archive_));           // the start-up deletes it
}

TEST_F(PendingArchive, AnEmptyKeepListRemovesEveryFile) {
  WriteArchive({{kProduct, ProductEntry("")}, {"b.txt", "new b"}});
  ASSERT_EQ(Apply(), PendingArchiveOutcome::Applied);
  EXPECT_EQ(Removed(), (std::vector<std::string>{"a.keep", "b.txt", "sub/c.txt", "sub/d.KEEP"}));
  EXPECT_EQ(Read("b.txt"), "new b");
}

TEST_F(PendingArchive, ArchivesThatChangeNothing) {
  // 2600 bytes cannot all be read into the 2600-byte buffer with its NUL.
  WriteArchive({{kProduct, std::string(2600, '*')}, {"b.txt", "new b"}});
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NoKeepList);
  WriteArchive({{"ZRFTEST", ProductEntry("")}, {"b.txt", "new b"}});  // names compare with case
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NoProductEntry);
  std::ofstream(archive_) << "not a zip archive";
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NotOpened);
  EXPECT_TRUE(Removed().empty());
  EXPECT_EQ(Read("b.txt"), "old b");

  // A keep list of exactly 2599 bytes is read whole; no NUL needs to follow it in the entry.
  WriteArchive({{kProduct, std::string(2593, ';') + "*.keep"}});
  EXPECT_EQ(Apply(), PendingArchiveOutcome::Applied);
  EXPECT_EQ(Removed(), (std::vector<std::string>{"b.txt", "sub/c.txt"}));
}

TEST_F(PendingArchive, HostileNamesStayInsideTheDataFolder) {
  const std::string outside = (root_ / "outside.txt").generic_string();
  WriteArchive({{kProduct, ProductEntry("*.*")},
                {"../outside.txt", "x"},
                {"sub/../../up.txt", "x"},
                {"..\\..\\back.txt", "x"},
                {outside, "x"}});
  ASSERT_EQ(Apply(), PendingArchiveOutcome::Applied);
  std::vector<std::string> beside;
  for (const auto& entry : fs::directory_iterator(root_)) beside.push_back(entry.path().filename().string());
  EXPECT_EQ(beside, (std::vector<std::string>{"data"}));
  EXPECT_TRUE(Removed().empty());
}

}  // namespace
