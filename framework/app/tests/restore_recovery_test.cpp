// Restores that the next start finds half done, put together by hand: a seed file or a command
// record written in the middle of the swap, files given back from the recycle bin or refused by
// it, a manifest cut short, an archive that cannot be deleted, and the order in which staged files
// reach the disk. Whatever the state, no file the user may want back is deleted, and the start
// ends with the whole old or the whole new configuration.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "framework/app/pending_archive.h"
#include "framework/app/restore_swap.h"
#include "framework/app/tests/config_archive_fixture.h"
#include "framework/files/folder_reader.h"
#include "framework/files/tests/temp_tree.h"
#include "zip/zip_file.h"

namespace {

namespace fs = std::filesystem;
using Contents = std::map<std::string, std::string>;
constexpr char kProduct[] = "ZrfTest";

class RestoreRecovery : public testing::Test {
 protected:
  void SetUp() override {
    old_ = {{"(ZRF)App.zrd", "old settings"}, {"Greenleaf.plt", "grown plant"}, {"sub/b.txt", "old b"}};
    new_ = {
        {"(ZRF)App.zrd", "new settings"}, {"Greenleaf.plt", "restored plant"}, {"(ZRF)Cmd.zrd", "new cmd"}};
    for (const auto& [name, bytes] : old_) tree_.File("data/" + name, bytes);
    char path[260];
    ASSERT_TRUE(PendingArchivePath(tree_.Path("data").c_str(), kProduct, path));
    archive_ = path;
    std::vector<std::pair<std::string, std::string>> entries = {{kProduct, ProductEntry("")}};
    entries.insert(entries.end(), new_.begin(), new_.end());
    WriteArchive(archive_, entries);
    paths_ = MakeRestorePaths(tree_.Path("data").c_str(), archive_.c_str());
  }

  // A fresh data folder and bin for the next case of a loop.
  void Reset() {
    fs::remove_all(tree_.Path("data"));
    fs::remove_all(tree_.Path("bin"));
    binned_ = 0;
    SetUp();
  }

  RestoreReport Start() {
    return RestoreAtStart(archive_.c_str(), paths_.dataFolder.c_str(), kProduct, nullptr, Recycle, this);
  }
  // The bin takes every file but those in refused_, which it leaves where they are.
  static void Recycle(void* context, const char* path) {
    auto* self = static_cast<RestoreRecovery*>(context);
    if (self->refused_.count(fs::path(path).filename().string()) != 0) return;
    fs::create_directories(self->tree_.Path("bin"));
    fs::rename(path, self->tree_.Path("bin/" + std::to_string(self->binned_++)));
  }

  // A committed swap as staging leaves it: every entry staged below "new", the manifest "aside".
  RestoreManifest Commit() {
    uint32_t error = 0;
    EXPECT_TRUE(BeginStaging(paths_, &error));
    RestoreManifest manifest;
    for (const auto& [name, bytes] : new_) {
      tree_.File("data/(ZRF)Restore/new/" + name, bytes);
      manifest.newFiles.push_back(name);
      if (old_.count(name) != 0) manifest.oldFiles.push_back(name);
    }
    manifest.oldFiles.push_back("sub/b.txt");
    EXPECT_TRUE(CommitSwap(paths_, manifest, &error));
    return manifest;
  }
  void SetAllAside(const RestoreManifest& manifest) {
    for (const std::string& name : manifest.oldFiles) Move("data/" + name, "data/(ZRF)Restore/old/" + name);
  }
  void Move(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(tree_.Path(to)).parent_path());
    fs::rename(tree_.Path(from), tree_.Path(to));
  }
  void State(const char* from, const char* to) {
    Move(std::string("data/(ZRF)Restore/") + from, std::string("data/(ZRF)Restore/") + to);
  }
  Contents Data() const { return tree_.Contents("data"); }
  // A path below the data folder as the restore writes it.
  std::string At(std::string relative) const {
    for (char& c : relative) c = c == '/' ? kPathSeparator : c;
    return paths_.dataFolder + kPathSeparator + relative;
  }
  // The old configuration with the archive beside it.
  Contents OldWithArchive() const {
    Contents old = old_;
    const std::string name = fs::path(archive_).filename().string();
    old[name] = tree_.Read("data/" + name);
    return old;
  }

  TempTree tree_{"restore-recovery"};
  std::string archive_;
  RestorePaths paths_;
  Contents old_;
  Contents new_;
  std::map<std::string, int> refused_;
  int binned_ = 0;
};

TEST_F(RestoreRecovery, AFileWrittenDuringTheSwapIsSetAsideAndTheSwapCompletes) {
  struct Case {
    const char* state;  // where the swap was when the file landed
    const char* name;   // the seed plant of a first-run copy, or the command-line record
  };
  for (const Case& c : {Case{"aside", "Greenleaf.plt"}, Case{"aside", "(ZRF)Cmd.zrd"},
                        Case{"place", "Greenleaf.plt"}, Case{"place", "(ZRF)Cmd.zrd"}}) {
    SCOPED_TRACE(std::string(c.state) + " " + c.name);
    Reset();
    const RestoreManifest manifest = Commit();
    SetAllAside(manifest);
    if (std::string(c.state) == "place") {
      State("aside", "place");
      Move("data/(ZRF)Restore/new/(ZRF)App.zrd", "data/(ZRF)App.zrd");  // placing began
    }
    tree_.File(std::string("data/") + c.name, "written meanwhile");
    const std::string setAside =
        fs::path(c.name).stem().string() + " (2)" + fs::path(c.name).extension().string();

    EXPECT_TRUE(IsSwapUnderWay(paths_));  // the start writes nothing into the folder before its restore
    const RestoreReport first = Start();
    EXPECT_FALSE(IsSwapUnderWay(paths_));
    EXPECT_EQ(first.outcome, PendingArchiveOutcome::Applied);
    EXPECT_EQ(first.kept, std::vector<std::string>{tree_.Path("data/" + setAside)});
    Contents expected = new_;
    expected[setAside] = "written meanwhile";
    for (int start = 0; start < 3; ++start) {
      if (start > 0) {
        EXPECT_EQ(Start().outcome, PendingArchiveOutcome::Nothing);
      }
      EXPECT_EQ(Data(), expected);
      EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));
    }
    EXPECT_EQ(binned_, 3);  // the three old files, nothing else
  }
}

TEST_F(RestoreRecovery, AFileInTheWayOfTheUndoIsSetAsideAndTheOldConfigurationReturns) {
  const RestoreManifest manifest = Commit();
  SetAllAside(manifest);
  State("aside", "back");
  tree_.File("data/Greenleaf.plt", "seedling");
  const SwapReport report = RunSwap(paths_, Recycle, this);
  EXPECT_EQ(report.outcome, SwapOutcome::Undone);
  EXPECT_EQ(report.kept, std::vector<std::string>{At("Greenleaf (2).plt")});
  Contents expected = OldWithArchive();
  expected["Greenleaf (2).plt"] = "seedling";
  EXPECT_EQ(Data(), expected);
}

TEST_F(RestoreRecovery, FilesGivenBackFromTheBinOrRefusedByItSurvive) {
  refused_["b.txt"] = 1;
  refused_["Greenleaf.plt"] = 1;
  const RestoreReport applied = Start();
  ASSERT_EQ(applied.outcome, PendingArchiveOutcome::Applied);
  // Refused: the one whose place is free goes back there, the other beside the restored plant.
  EXPECT_EQ(applied.kept, (std::vector<std::string>{At("Greenleaf (2).plt"), At("sub/b.txt")}));
  EXPECT_EQ(tree_.Read("data/Greenleaf (2).plt"), "grown plant");
  EXPECT_EQ(tree_.Read("data/sub/b.txt"), "old b");
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));

  // The user takes old files back out of the bin, where it recorded them; a staging left
  // unfinished holds an extracted file too. Only that one goes.
  tree_.File("data/(ZRF)Restore/old/(ZRF)App.zrd", "old settings");
  tree_.File("data/(ZRF)Restore/old/sub/c.txt", "old c");
  tree_.File("data/(ZRF)Restore/new/Greenleaf.plt", "extracted");
  const RestoreReport next = Start();
  EXPECT_EQ(next.outcome, PendingArchiveOutcome::Nothing);
  EXPECT_EQ(next.kept, (std::vector<std::string>{At("(ZRF)App (2).zrd"), At("sub/c.txt")}));
  EXPECT_EQ(tree_.Read("data/(ZRF)App (2).zrd"), "old settings");
  EXPECT_EQ(tree_.Read("data/(ZRF)App.zrd"), "new settings");
  EXPECT_EQ(tree_.Read("data/sub/c.txt"), "old c");
  EXPECT_EQ(tree_.Read("data/Greenleaf.plt"), "restored plant");
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));
}

TEST_F(RestoreRecovery, AManifestNotWholeDeletesNothingAndKeepsTheArchive) {
  Commit();
  const std::string manifest = tree_.Read("data/(ZRF)Restore/aside");
  std::vector<size_t> cuts = {0, 5};  // emptied, and cut in the middle of the first line
  for (size_t at = manifest.find('\n'); at + 1 < manifest.size(); at = manifest.find('\n', at + 1))
    cuts.push_back(at + 1);
  ASSERT_EQ(cuts.size(), 2u + 6u);  // and after each line of the three new and three old files
  for (size_t cut : cuts) {
    SCOPED_TRACE(cut);
    Reset();
    const RestoreManifest whole = Commit();
    // Placing had begun: old files aside, the settings placed.
    SetAllAside(whole);
    State("aside", "place");
    Move("data/(ZRF)Restore/new/(ZRF)App.zrd", "data/(ZRF)App.zrd");
    std::ofstream(At("(ZRF)Restore/place"), std::ios::binary | std::ios::trunc) << manifest.substr(0, cut);

    const RestoreReport salvaged = Start();
    EXPECT_EQ(salvaged.outcome, PendingArchiveOutcome::Damaged);
    EXPECT_TRUE(fs::exists(archive_));
    // Old files first at their places; the new ones beside them or where nothing stood.
    Contents expected = OldWithArchive();
    expected["(ZRF)App (2).zrd"] = "new settings";
    expected["Greenleaf (2).plt"] = "restored plant";
    expected["(ZRF)Cmd.zrd"] = "new cmd";
    EXPECT_EQ(Data(), expected);
    EXPECT_EQ(salvaged.kept.size(), 6u);  // all that moved: three old, the placed one set aside, two staged

    // The next start applies the archive afresh.
    EXPECT_EQ(Start().outcome, PendingArchiveOutcome::Applied);
    EXPECT_EQ(Data(), new_);
  }
}

// The zip library's file calls with the archive's removal and replacement refused, as a file held
// open by another program refuses both.
class ArchiveHeldOpen {
 public:
  explicit ArchiveHeldOpen(const std::string& archive) {
    Archive() = archive;
    calls_ = zip::SystemFileCalls();
    calls_.replace = [](const char* from, const char* to) {
      return from != Archive() && zip::SystemFileCalls().replace(from, to);
    };
    calls_.remove = [](const char* name) { return name != Archive() && zip::SystemFileCalls().remove(name); };
    zip::SetFileCallsForTesting(&calls_);
  }
  ~ArchiveHeldOpen() { zip::SetFileCallsForTesting(nullptr); }
  ArchiveHeldOpen(const ArchiveHeldOpen&) = delete;
  ArchiveHeldOpen& operator=(const ArchiveHeldOpen&) = delete;

 private:
  static std::string& Archive() {
    static std::string archive;
    return archive;
  }
  zip::FileCalls calls_{};
};

TEST_F(RestoreRecovery, AnArchiveThatCannotBeDeletedIsNotAppliedTwice) {
  {
    ArchiveHeldOpen held(archive_);
    const RestoreReport applied = Start();
    EXPECT_EQ(applied.outcome, PendingArchiveOutcome::Applied);
    EXPECT_EQ(applied.kept, std::vector<std::string>{archive_});  // the user hears of it
    tree_.File("data/Greenleaf.plt", "grown since");
    const RestoreReport again = Start();
    EXPECT_EQ(again.outcome, PendingArchiveOutcome::Applied);
    EXPECT_EQ(again.kept, std::vector<std::string>{archive_});
    EXPECT_EQ(tree_.Read("data/Greenleaf.plt"), "grown since");
  }
  EXPECT_EQ(Start().outcome, PendingArchiveOutcome::Applied);  // now it goes, unapplied
  EXPECT_EQ(tree_.Read("data/Greenleaf.plt"), "grown since");
  EXPECT_FALSE(fs::exists(archive_));
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));
}

#if defined(__linux__)
// Each file call of a restore as "flush <name>", "create <name>" or "replace <name>": the file
// flushed found through the descriptor it was given.
class CallLog {
 public:
  CallLog() {
    Log().clear();
    calls_ = zip::SystemFileCalls();
    calls_.flush = [](zip::OsHandle file) {
      Log().push_back("flush " +
                      fs::read_symlink("/proc/self/fd/" + std::to_string(file)).filename().string());
      return zip::SystemFileCalls().flush(file);
    };
    calls_.createNew = [](const char* name, bool* exists) {
      Log().push_back("create " + fs::path(name).filename().string());
      return zip::SystemFileCalls().createNew(name, exists);
    };
    calls_.replace = [](const char* from, const char* to) {
      Log().push_back("replace " + fs::path(from).filename().string());
      return zip::SystemFileCalls().replace(from, to);
    };
    zip::SetFileCallsForTesting(&calls_);
  }
  ~CallLog() { zip::SetFileCallsForTesting(nullptr); }
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }

 private:
  zip::FileCalls calls_{};
};

TEST_F(RestoreRecovery, EveryStagedFileIsOnTheDiskBeforeTheManifestAndTheArchiveGoesLast) {
  CallLog log;
  ASSERT_EQ(Start().outcome, PendingArchiveOutcome::Applied);
  // The entries in the archive's order (the map's), then the manifest, then the archive.
  EXPECT_EQ(CallLog::Log(), (std::vector<std::string>{"flush (ZRF)App.zrd", "flush (ZRF)Cmd.zrd",
                                                      "flush Greenleaf.plt", "create list", "flush list",
                                                      "replace " + fs::path(archive_).filename().string()}));
}
#endif

}  // namespace
