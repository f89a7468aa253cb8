// Restore and Reset to the end: the pending archive they leave is applied by the next start of a
// real program, the framework test program, started here as a process of its own. Afterwards
// the data folder holds what the archive held, or what the keep list names, and the framework's
// own records written by that start; or, when a file cannot be replaced, the whole old
// configuration, the archive for a later start and a message that says why.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>
#include <string>

#include "framework/app/restore_swap.h"
#include "framework/app/zrf_app_win.h"
#include "framework/files/system_error.h"
#include "framework/files/tests/temp_tree.h"
#include "maintenance/config_transfer_win.h"
#include "resources/resource_ids.h"
#include "tools/testsupport/process_window_win.h"
#include "tools/testsupport/wine_path.h"
#include "tools/zrftestapp/test_app_install_record_win.h"
#include "tools/zrftestapp/test_app_protocol.h"

namespace {

class PickOne final : public TransferPrompts {
 public:
  explicit PickOne(std::string file) : file_(std::move(file)) {}
  const char* PickArchive(bool, const char*, const char*) override { return file_.c_str(); }
  int32_t Show(HWND, const char*, uint32_t) override { return IDYES; }

 private:
  std::string file_;
};

// Every file below `folder` with its contents, by relative path with "/", apart from the
// framework's own records, which every start writes.
std::map<std::string, std::string> FolderContents(const TempTree& tree, const std::string& folder) {
  std::map<std::string, std::string> contents = tree.Contents(folder);
  std::erase_if(contents, [](const auto& file) { return file.first.rfind("(ZRF)", 0) == 0; });
  return contents;
}

std::string ItemText(HWND dialog, int item) {
  char text[512] = "";
  GetDlgItemTextA(dialog, item, text, sizeof text);
  return text;
}

// One start of the test program, up to its window, then closed the way a user closes it. A
// framework message box on the way is answered with OK; its lines go to `*message`.
void StartAndClose(std::string* message = nullptr) {
  std::string line = "\"" + ToWinePath(VERDELO_TEST_APP) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION app{};
  ASSERT_TRUE(
      CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &app));
  HWND window = nullptr;
  for (int i = 0; i < 1500 && window == nullptr && WaitForSingleObject(app.hProcess, 20) == WAIT_TIMEOUT;
       ++i) {
    window = FindWindowA(nullptr, zrftest::kWindowTitle);
    HWND box = FindProcessWindow(app.dwProcessId, "#32770", zrftest::kProductName);
    if (box == nullptr || !IsWindowVisible(box)) continue;
    if (message != nullptr) {
      *message = ItemText(box, IDC_MESSAGE_FIRST_LINE) + "\n" + ItemText(box, IDC_MESSAGE_OTHER_LINES);
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && WaitForSingleObject(app.hProcess, 20) == WAIT_TIMEOUT) {
    }
  }
  EXPECT_NE(window, nullptr);
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(app.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(app.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(app.hProcess);
  CloseHandle(app.hThread);
}

class RestoreAtStart : public testing::Test {
 protected:
  RestoreAtStart() : tree_("verdelo-restore-start") {
    tree_.Folder("data");
    std::snprintf(gApp.productName, sizeof gApp.productName, "%s", zrftest::kProductName);
    std::snprintf(gApp.dataFolder, sizeof gApp.dataFolder, "%s", tree_.Path("data").c_str());
    gApp.SetFilePatterns("*.txt", "*.keep");
    PutTestAppInstallRecord(tree_.Path("data"));
    for (const char* name : {"a.zrd", "notes.txt", "sub/b.zrd", "mine.keep", "sub/deep.keep", "other.dat"}) {
      tree_.File(std::string("data/") + name, std::string("old ") + name);
    }
  }
  ~RestoreAtStart() override {
    std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
    gApp.SetFilePatterns("*.plt;*.pim", "");
  }
  TempTree tree_;
};

TEST_F(RestoreAtStart, TheNextStartLeavesExactlyTheArchivedFiles) {
  PickOne backup(tree_.Path("backup.BrambeckConfig"));
  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Backup, nullptr),
            TransferResult::Done);
  const std::map<std::string, std::string> archived = {
      {"a.zrd", "old a.zrd"}, {"notes.txt", "old notes.txt"}, {"sub/b.zrd", "old sub/b.zrd"}};
  tree_.File("data/a.zrd", "changed since");
  tree_.File("data/later.txt", "new since");
  std::filesystem::remove(tree_.Path("data/notes.txt"));

  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Done);
  StartAndClose();
  // The keep list that travelled in the archive keeps its files; everything else is the archive's.
  std::map<std::string, std::string> expected = archived;
  expected["mine.keep"] = "old mine.keep";
  expected["sub/deep.keep"] = "old sub/deep.keep";
  EXPECT_EQ(FolderContents(tree_, "data"), expected);
}

TEST_F(RestoreAtStart, AFileInUseKeepsTheOldConfigurationAndTheArchiveAndTheStartSaysWhy) {
  PickOne backup(tree_.Path("backup.BrambeckConfig"));
  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Backup, nullptr),
            TransferResult::Done);
  tree_.File("data/a.zrd", "changed since");
  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Done);
  const std::map<std::string, std::string> before = FolderContents(tree_, "data");
  {
    // Another program holds a file the archive replaces, without letting it be moved.
    const HANDLE held = CreateFileA(tree_.Path("data/notes.txt").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string message;
    StartAndClose(&message);
    CloseHandle(held);
    char reason[512];
    SystemErrorText(ERROR_SHARING_VIOLATION, reason, sizeof reason);
    EXPECT_EQ(message, std::string("Error restoring data!\n") + reason);
  }
  EXPECT_EQ(FolderContents(tree_, "data"), before);  // the pending archive among them
  EXPECT_FALSE(tree_.Exists(std::string("data/") + kRestoreFolderName));

  // Free again: the next start restores, and says nothing.
  std::string message;
  StartAndClose(&message);
  EXPECT_EQ(message, "");
  EXPECT_EQ(tree_.Read("data/a.zrd"), "old a.zrd");
  EXPECT_FALSE(tree_.Exists("data/ZrfTestApp.BrambeckConfig"));
}

TEST_F(RestoreAtStart, AfterResetOnlyWhatTheKeepListNamesRemains) {
  PickOne none("");
  ASSERT_EQ(TransferConfiguration(none, nullptr, ConfigTransferMode::Reset, nullptr), TransferResult::Done);
  StartAndClose();
  EXPECT_EQ(FolderContents(tree_, "data"),
            (std::map<std::string, std::string>{{"mine.keep", "old mine.keep"},
                                                {"sub/deep.keep", "old sub/deep.keep"}}));
}

TEST_F(RestoreAtStart, ArchivesAndTheArchiveFolderSurviveARestoreAndAReset) {
  // The default archive folder is the data folder's Backup: restoring one of its archives, and
  // then a reset, must cost neither the others there nor another product's archive elsewhere.
  const std::string restored = "Backup/ZrfTestApp-2026.12.08.BrambeckConfig";
  PickOne backup(tree_.Path("data/" + restored));
  tree_.Folder("data/Backup");
  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Backup, nullptr),
            TransferResult::Done);
  const std::string restoredBytes = tree_.Read("data/" + restored);
  std::map<std::string, std::string> spared = {
      {restored, restoredBytes},
      {"Backup/ZrfTestApp-2026.12.01.BrambeckConfig", "an older archive"},
      {"Backup/readme.dat", "the user's note on the archives"},
      {"old/Other-2020.01.01.brambeckconfig", "another product's archive"}};
  for (const auto& [name, bytes] : spared) tree_.File("data/" + name, bytes);

  ASSERT_EQ(TransferConfiguration(backup, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Done);
  StartAndClose();
  std::map<std::string, std::string> expected = spared;
  expected.insert({{"a.zrd", "old a.zrd"}, {"notes.txt", "old notes.txt"}, {"sub/b.zrd", "old sub/b.zrd"},
                   {"mine.keep", "old mine.keep"}, {"sub/deep.keep", "old sub/deep.keep"}});
  EXPECT_EQ(FolderContents(tree_, "data"), expected);

  PickOne none("");
  ASSERT_EQ(TransferConfiguration(none, nullptr, ConfigTransferMode::Reset, nullptr), TransferResult::Done);
  StartAndClose();
  expected = spared;
  expected.insert({{"mine.keep", "old mine.keep"}, {"sub/deep.keep", "old sub/deep.keep"}});
  EXPECT_EQ(FolderContents(tree_, "data"), expected);
}

}  // namespace
