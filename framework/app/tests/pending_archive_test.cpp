// Applying a pending configuration archive written by the project's zip writer to a real folder:
// the keep list split and matched, unlisted files removed, entries extracted, and archives that
// must change nothing (no product entry, an over-long keep list, not a zip) or nothing outside
// the data folder (hostile names). A disk that runs out of space, or a file that cannot be
// replaced, leaves the whole old configuration and the archive for a later start.
#include "framework/app/pending_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "framework/app/tests/config_archive_fixture.h"
#include "framework/files/tests/temp_tree.h"
#include "zip/tests/full_disk.h"

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
    return RestoreAtStart(archive_.c_str(), tree_.Path("data").c_str(), kProduct, archiveFolder, Remove, this)
        .outcome;
  }
  // The old files go to a bin on the same disk, as to the recycle bin: they keep their space.
  static void Remove(void* context, const char* path) {
    auto* self = static_cast<PendingArchive*>(context);
    const fs::path old = fs::path(self->tree_.Path("data")) / kRestoreFolderName / "old";
    const std::string relative = fs::path(path).lexically_relative(old).generic_string();
    self->removed_.push_back(relative);
    fs::create_directories(fs::path(self->tree_.Path("bin/" + relative)).parent_path());
    fs::rename(path, self->tree_.Path("bin/" + relative));
  }
  std::map<std::string, std::string> Contents() const { return tree_.Contents("data"); }
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
  EXPECT_FALSE(fs::exists(archive_));
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));
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
  EXPECT_FALSE(fs::exists(archive_));                                           // it can never be applied
  WriteArchive(archive_, {{"ZRFTEST", ProductEntry("")}, {"b.txt", "new b"}});  // names compare with case
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NoProductEntry);
  std::ofstream(archive_) << "not a zip archive";
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NotOpened);
  EXPECT_EQ(Apply(), PendingArchiveOutcome::Nothing);
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

// Thirteen files as a user with a few plants has them, and an archive of another thirteen.
class RestoreOnAFullDisk : public PendingArchive {
 protected:
  void SetUp() override {
    PendingArchive::SetUp();
    std::vector<std::pair<std::string, std::string>> entries = {{kProduct, ProductEntry("")}};
    for (const char* name : {"(ZRF)App.zrd", "(ZRF)Win0.zrd", "(ZRF)Archive.zrd"}) {
      tree_.File(std::string("data/") + name, std::string(300, 'o'));
      entries.push_back({name, std::string(300, 'n')});
    }
    for (int plant = 0; plant < 5; ++plant) {
      const std::string name = "Plant" + std::to_string(plant);
      tree_.File("data/" + name + ".plt", std::string(30000 + plant * 1000, 'o'));
      tree_.File("data/" + name + ".pim", std::string(50000, 'o'));
      entries.push_back({name + ".plt", std::string(32000 + plant * 1000, char('a' + plant))});
      entries.push_back({name + "-Options.zrd", std::string(16, char('a' + plant))});
    }
    fs::remove(tree_.Path("data/b.txt"));
    fs::remove_all(tree_.Path("data/sub"));
    fs::remove(tree_.Path("data/a.keep"));
    WriteArchive(archive_, entries);
    for (size_t i = 1; i < entries.size(); ++i) {
      expectedNew_[entries[i].first] = entries[i].second;
      newBytes_ += entries[i].second.size();
    }
    old_ = Contents();
  }
  std::map<std::string, std::string> old_;
  std::map<std::string, std::string> expectedNew_;
  uint64_t newBytes_ = 0;
};

TEST_F(RestoreOnAFullDisk, TheFolderHoldsTheWholeOldOrTheWholeNewConfiguration) {
  ASSERT_EQ(old_.size(), 14u);  // thirteen files and the pending archive
  for (uint64_t freeBytes : {uint64_t{0}, uint64_t{64 * 1024}, newBytes_ - 1}) {
    SCOPED_TRACE(freeBytes);
    zip::testing::FullDisk disk(freeBytes);
    EXPECT_EQ(Apply(), PendingArchiveOutcome::NotWritten);
    EXPECT_EQ(Contents(), old_);
    EXPECT_TRUE(fs::exists(archive_));  // for a start with room enough
  }
  {
    // Room for the new files and the list of what the restore swaps, nothing more.
    zip::testing::FullDisk disk(newBytes_ + 1024);
    EXPECT_EQ(Apply(), PendingArchiveOutcome::Applied);
  }
  EXPECT_EQ(Contents(), expectedNew_);
  EXPECT_EQ(Removed().size(), 13u);
  EXPECT_FALSE(fs::exists(archive_));
}

TEST_F(RestoreOnAFullDisk, AFileThatCannotBeReplacedLeavesTheWholeOldConfiguration) {
  // Read-only: refused before anything moves.
  tree_.MakeReadOnly("data/Plant2.plt");
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NotReplaced);
  EXPECT_EQ(Contents(), old_);
  EXPECT_TRUE(fs::exists(archive_));
  fs::permissions(tree_.Path("data/Plant2.plt"), fs::perms::owner_write, fs::perm_options::add);

  // A kept file where an entry needs a folder: the placing fails half way and is undone.
  WriteArchive(archive_,
               {{kProduct, ProductEntry("kept")}, {"Plant0.plt", "new"}, {"kept/inner.zrd", "new"}});
  tree_.File("data/kept", "the user's own");
  old_ = Contents();
  EXPECT_EQ(Apply(), PendingArchiveOutcome::NotReplaced);
  EXPECT_EQ(Contents(), old_);
  EXPECT_TRUE(fs::exists(archive_));
  EXPECT_TRUE(Removed().empty());
}

}  // namespace
