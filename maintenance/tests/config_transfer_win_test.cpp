// Backup, Restore and Reset under Windows on a real data folder, with the user's choices
// scripted: the archive that comes back, archives that are refused, a file another program holds,
// and the pending archive that Restore and Reset leave.
#include "maintenance/config_transfer_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/files/tests/temp_tree.h"
#include "framework/app/zrf_app_win.h"
#include "maintenance/archive_clock.h"
#include "maintenance/tests/program_environment_win.h"
#include "maintenance/tests/sample_data_folder.h"
#include "tools/testsupport/wine_path.h"
#include "zip/zip_reader.h"

namespace {

class ScriptedPrompts final : public TransferPrompts {
 public:
  std::string pick;  ///< the file the user picks; empty: the dialog is cancelled
  int32_t answer = IDYES;
  std::vector<std::string> offeredNames;
  std::vector<std::pair<std::string, uint32_t>> shown;

  const char* PickArchive(bool, const char* defaultName) override {
    offeredNames.push_back(defaultName);
    return pick.empty() ? nullptr : pick.c_str();
  }
  int32_t Show(HWND, const char* text, uint32_t style) override {
    shown.push_back({text, style});
    return style == 0x588 ? answer : IDOK;
  }
};

std::vector<std::string> EntryNames(const std::string& path) {
  std::vector<std::string> names;
  zip::ZipHandle* archive = zip::ZipReaderOpen(path.c_str(), nullptr);
  if (archive == nullptr) return names;
  zip::ZipEntryInfo info;
  if (zip::ZipReaderGetEntry(archive, -1, &info) == zip::ZipResult::Ok) {
    const int32_t count = info.index;
    for (int32_t i = 0; i < count && zip::ZipReaderGetEntry(archive, i, &info) == zip::ZipResult::Ok; ++i) {
      names.push_back(info.name);
    }
  }
  (void)zip::ZipReaderClose(archive);
  return names;
}

int64_t FixedClock() { return kTestNow; }

class ConfigTransferWin : public testing::Test {
 protected:
  ConfigTransferWin() : tree_("verdelo-transfer") {
    UseDataFolder(tree_.Path("data"));
    FillSampleDataFolder(tree_, "data");
    pending_ = tree_.Path("data/Verdelo.BrambeckConfig");
    SetArchiveClockForTesting(FixedClock);
  }
  ~ConfigTransferWin() override {
    SetArchiveClockForTesting(nullptr);
    gApp.SetFilePatterns("*.plt;*.pim", "");
  }
  TempTree tree_;
  std::string pending_;
  ScriptedPrompts prompts_;
};

TEST_F(ConfigTransferWin, BackupThenRestoreLeavesThatArchivePending) {
  // The archive also stays in the build tree, where the interop check opens it with other tools.
  prompts_.pick = ToWinePath(VERDELO_INTEROP_DIR "/backup.BrambeckConfig");
  ASSERT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Backup, nullptr),
            TransferResult::Done);
  EXPECT_EQ(prompts_.offeredNames, std::vector<std::string>{"Verdelo-2026.12.08.BrambeckConfig"});
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_EQ(EntryNames(prompts_.pick),
            (std::vector<std::string>{"Verdelo", "a.zrd", "p.plt", "p.pim", "sub/b.zrd"}));

  ASSERT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Done);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].first,
            "Warning: your current configuration will be overwritten!\nDo you want to continue?");
  std::ifstream backup(prompts_.pick, std::ios::binary);
  EXPECT_EQ(tree_.Read("data/Verdelo.BrambeckConfig"),
            std::string(std::istreambuf_iterator<char>(backup), {}));
  EXPECT_FALSE(tree_.Exists("data/Verdelo.BrambeckConfig_tmp"));
}

TEST_F(ConfigTransferWin, RefusedArchivesLeaveNothingPending) {
  struct Case {
    std::string file;
    TransferResult result;
    const char* message;  // null: none
  };
  // Another product's archive, one damaged past its product entry, and a file that is no archive.
  const std::string other = tree_.Path("other.BrambeckConfig");
  const ConfigArchiveSource otherProduct{gApp.dataFolder, "Plantling", "", "", {1, 0, 0}};
  ASSERT_EQ(WriteConfigArchive(otherProduct, other.c_str(), true), TransferResult::Done);
  const std::string damaged = tree_.Path("damaged.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive({gApp.dataFolder, "Verdelo", "", "", {1, 2, 3}}, damaged.c_str(), true),
            TransferResult::Done);
  std::string bytes = tree_.Read("damaged.BrambeckConfig");
  const size_t name = bytes.find("sub/b.zrd");
  ASSERT_NE(name, std::string::npos);
  bytes[name + 9 + 17] = static_cast<char>(bytes[name + 9 + 17] ^ 0x55);
  tree_.File("damaged.BrambeckConfig", bytes);
  const Case cases[] = {
      {other, TransferResult::WrongProduct, "Wrong product!"},
      {damaged, TransferResult::ArchiveError, "Configuration file error!"},
      {tree_.Path("data/x.txt"), TransferResult::ArchiveError, "Configuration file error!"},
      {"", TransferResult::Cancelled, nullptr},
  };
  for (const Case& c : cases) {
    prompts_.pick = c.file;
    prompts_.shown.clear();
    EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Restore, nullptr), c.result)
        << c.file;
    if (c.message != nullptr) {
      ASSERT_EQ(prompts_.shown.size(), 1u) << c.file;
      EXPECT_EQ(prompts_.shown[0], std::make_pair(std::string(c.message), 0x111u));
    } else {
      EXPECT_TRUE(prompts_.shown.empty());
    }
    EXPECT_FALSE(tree_.Exists("data/Verdelo.BrambeckConfig")) << c.file;
  }
  // No (or Cancel) to the question.
  prompts_.pick = tree_.Path("backup.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive({gApp.dataFolder, "Verdelo", "", "", {1, 2, 3}}, prompts_.pick.c_str(), true),
            TransferResult::Done);
  prompts_.answer = IDNO;
  EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Cancelled);
  EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Reset, nullptr),
            TransferResult::Cancelled);
  EXPECT_FALSE(tree_.Exists("data/Verdelo.BrambeckConfig"));
}

TEST_F(ConfigTransferWin, FileHeldByAnotherProgramIsSkippedAndCounted) {
  const std::string ready = "VerdeloHolding" + std::to_string(GetCurrentProcessId());
  const std::string release = "VerdeloRelease" + std::to_string(GetCurrentProcessId());
  HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
  HANDLE releaseEvent = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
  std::string command =
      "\"" VERDELO_FILE_HOLDER "\" \"" + tree_.Path("data/p.plt") + "\" " + ready + " " + release;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION holder{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &holder));
  ASSERT_EQ(WaitForSingleObject(readyEvent, 30000), WAIT_OBJECT_0);

  prompts_.pick = tree_.Path("backup.BrambeckConfig");
  const TransferResult result = TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Backup, nullptr);
  SetEvent(releaseEvent);
  WaitForSingleObject(holder.hProcess, 30000);
  DWORD exitCode = 99;
  GetExitCodeProcess(holder.hProcess, &exitCode);
  CloseHandle(holder.hProcess);
  CloseHandle(holder.hThread);
  CloseHandle(readyEvent);
  CloseHandle(releaseEvent);

  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(result, TransferResult::FilesSkipped);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].first,
            "Some file(s) could not be backed up!\nMaybe they are in use by the program.");
  EXPECT_EQ(EntryNames(prompts_.pick), (std::vector<std::string>{"Verdelo", "a.zrd", "p.pim", "sub/b.zrd"}));
  EXPECT_EQ(CheckConfigArchive(prompts_.pick.c_str(), "Verdelo"), ArchiveVerdict::Accepted);
}

TEST_F(ConfigTransferWin, ResetLeavesTheProductEntryAlonePending) {
  gApp.SetFilePatterns("*.plt;*.pim", "*.plt");
  ASSERT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Reset, nullptr),
            TransferResult::Done);
  EXPECT_EQ(EntryNames(pending_), std::vector<std::string>{"Verdelo"});
}

}  // namespace
