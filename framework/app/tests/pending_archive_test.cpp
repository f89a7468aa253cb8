// Applying a pending configuration archive written by the project's zip writer to a real folder:
// the keep list split and matched, unlisted files removed, entries extracted, and archives that
// must change nothing (no product entry, an over-long keep list, not a zip) or nothing outside
// the data folder (hostile names).
#include "framework/app/pending_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/app/tests/config_archive_fixture.h"
#include "framework/files/tests/temp_tree.h"

namespace {

namespace fs = std::filesystem;
constexpr char kProduct[] = "ZrfTest";

class PendingArchive : public testing::Test {
 protected:
  void SetUp() override {
    tree_.File("data/a.keep", "old a");
    tree_.File("data/b.txt", "old b");
    tree_.File("data/sub/c.txt", "old c");
    tree_.File("data/sub/d.KEEP", "old d");
    char path[260];
    ASSERT_TRUE(PendingArchivePath(tree_.Path("data").c_str(), kProduct, path));
    archive_ = path;
  }

  PendingArchiveOutcome Apply(const char* archiveFolder = nullptr) {
    removed_.clear();
    return ApplyPendingArchive(archive_.c_str(), tree_.Path("data").c_str(), kProduct, archiveFolder, Remove,
                               this);
  }
  static void Remove(void* context, const char* path) {
    auto* self = static_cast<PendingArchive*>(context);
    self->removed_.push_back(fs::path(path).lexically_relative(self->tree_.Path("data")).generic_string());
    fs::remove(path);
  }
  std::vector<std::string> Removed() {
    std::sort(removed_.begin(), removed_.end());
    return removed_;
  }

  TempTree tree_{"pending-archive"};
  std::string archive_;
  std::vector<std::string> removed_;
};

TEST_F(PendingArchive, KeepsListedFilesRemovesTheRestAndExtracts) {
  WriteArchive(
      archive_,
      {{kProduct, ProductEntry("*.keep;sub\\nothing;*.none")}, {"b.txt", "new b"}, {"new/e.txt", "new e"}});
  ASSERT_EQ(Apply(), PendingArchiveOutcome::Applied);
  // Matched without regard to case in every folder; the archive itself is never removed.
  EXPECT_EQ(Removed(), (std::vector<std::string>{"b.txt", "sub/c.txt"}));
  EXPECT_EQ(tree_.Read("data/a.keep"), "old a");
  EXPECT_EQ(tree_.Read("data/sub/d.KEEP"), "old d");
  EXPECT_EQ(tree_.Read("data/b.txt"), "new b");
  EXPECT_EQ(tree_.Read("data/new/e.txt"), "new e");
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kProduct));  // the product entry is not a file
  EXPECT_TRUE(fs::exists(archive_));                            // the start-up deletes it
}

TEST_F(PendingArchive, AnEmptyKeepListRemovesEveryFile) {
  WriteArchive(archive_, {{kProduct, ProductEntry("")}, {"b.txt", "new b"}});
  // Archives kept in the data folder itself spare only themselves, not the configuration.
  ASSERT_EQ(Apply(tree_.Path("data").c_str()), PendingArchiveOutcome::Applied);
  EXPECT_EQ(Removed(), (std::vector<std::string>{"a.keep", "b.txt", "sub/c.txt", "sub/d.KEEP"}));
  EXPECT_EQ(tree_.Read("data/b.txt"), "new b");
}

TEST_F(PendingArchive, ArchivesThatChangeNothing) {
  // 2600 bytes cannot all be read into the 2600-byte buffer with its NUL.
  WriteArchive(archive_, {{kProduct, std::string(2600, '*')}, {"b.txt", "new b"}});
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NoKeepList);
  WriteArchive(archive_, {{"ZRFTEST", ProductEntry("")}, {"b.txt", "new b"}});  // names compare with case
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NoProductEntry);
  std::ofstream(archive_) << "not a zip archive";
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NotOpened);
  EXPECT_TRUE(Removed().empty());
  EXPECT_EQ(tree_.Read("data/b.txt"), "old b");

  // A keep list of exactly 2599 bytes is read whole; no NUL needs to follow it in the entry.
  WriteArchive(archive_, {{kProduct, std::string(2593, ';') + "*.keep"}});
  EXPECT_EQ(Apply(), PendingArchiveOutcome::Applied);
  EXPECT_EQ(Removed(), (std::vector<std::string>{"b.txt", "sub/c.txt"}));
}

TEST_F(PendingArchive, HostileNamesStayInsideTheDataFolder) {
  WriteArchive(archive_, {{kProduct, ProductEntry("*.*")},
                          {"../outside.txt", "x"},
                          {"sub/../../up.txt", "x"},
                          {"..\\..\\back.txt", "x"},
                          {fs::path(tree_.Path("abs.txt")).generic_string(), "x"}});
  ASSERT_EQ(Apply(), PendingArchiveOutcome::Applied);
  std::vector<std::string> beside;
  for (const auto& entry : fs::directory_iterator(tree_.Root()))
    beside.push_back(entry.path().filename().string());
  EXPECT_EQ(beside, (std::vector<std::string>{"data"}));
  EXPECT_TRUE(Removed().empty());
}

}  // namespace
