// The wait loop for a data folder over an in-memory file system.
#include "framework/files/data_path_wait.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/files/tests/fake_file_ops.h"

namespace {

// Records the tries; makes the folder's parent appear, or the user quit, at a given pump.
class RecordingUi : public DataPathWaitUi {
 public:
  explicit RecordingUi(FakeFileOps& ops) : ops_(ops) {}
  void ShowTry(int32_t tryNumber) override { shown.push_back(tryNumber); }
  bool PumpAndSleep() override {
    ++pumps;
    if (pumps == appearAtPump) ops_.folders.insert(appearing);
    return pumps >= quitAtPump;
  }
  void Hide() override { ++hidden; }

  std::vector<int32_t> shown;
  int pumps = 0;
  int hidden = 0;
  int appearAtPump = -1;
  int quitAtPump = 1 << 30;
  std::string appearing;

 private:
  FakeFileOps& ops_;
};

TEST(DataFolderWait, FolderWhoseParentExistsIsMadeWithoutAnyTry) {
  FakeFileOps ops;
  ops.folders = {"C:", "C:\\Users"};
  RecordingUi ui(ops);
  EXPECT_EQ(WaitForFolder(ops, "C:\\Users\\Brambeck\\Verdelo", 1, ui), kWaitReady);
  EXPECT_EQ(ops.calls,
            (std::vector<std::string>{"mkdir C:\\Users\\Brambeck", "mkdir C:\\Users\\Brambeck\\Verdelo"}));
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(ui.hidden, 0);
}

TEST(DataFolderWait, MissingDriveFailsAfterOneSecondWithOneTry) {
  FakeFileOps ops;
  RecordingUi ui(ops);
  EXPECT_EQ(WaitForFolder(ops, "Q:\\Brambeck\\Verdelo", 1, ui), kWaitFailed);
  EXPECT_EQ(ui.shown, (std::vector<int32_t>{1}));
  EXPECT_EQ(ui.pumps, 10);
  EXPECT_EQ(ui.hidden, 1);
}

TEST(DataFolderWait, EndlessWaitEndsWhenTheDriveAppears) {
  FakeFileOps ops;
  RecordingUi ui(ops);
  ui.appearing = "Q:";
  ui.appearAtPump = 25;
  EXPECT_EQ(WaitForFolder(ops, "Q:\\Brambeck\\Verdelo", -1, ui), kWaitReady);
  EXPECT_EQ(ui.shown, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(ui.pumps, 30);
  EXPECT_EQ(ui.hidden, 1);
  EXPECT_TRUE(ops.FolderExists("Q:\\Brambeck\\Verdelo"));
}

TEST(DataFolderWait, UserGivingUpEndsTheWaitAtOnce) {
  FakeFileOps ops;
  RecordingUi ui(ops);
  ui.quitAtPump = 14;
  EXPECT_EQ(WaitForFolder(ops, "Q:\\Brambeck\\Verdelo", -1, ui), kWaitQuit);
  EXPECT_EQ(ui.pumps, 14);
  EXPECT_EQ(ui.hidden, 1);
}

TEST(DataFolderWait, NoTriesOrNoFolderFailWithoutShowingAnything) {
  FakeFileOps ops;
  RecordingUi ui(ops);
  EXPECT_EQ(WaitForFolder(ops, "Q:\\Brambeck\\Verdelo", 0, ui), kWaitFailed);
  EXPECT_EQ(WaitForFolder(ops, "", -1, ui), kWaitFailed);
  EXPECT_EQ(WaitForFolder(ops, nullptr, -1, ui), kWaitFailed);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(ui.hidden, 0);
}

}  // namespace
