// Backup, Restore and Reset under Windows on a real data folder, with the user's choices
// scripted: the archive that comes back, archives that are refused, a file another program holds,
// and the pending archive that Restore and Reset leave.
#include "maintenance/config_transfer_win.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/files/folders_win.h"
#include "framework/files/tests/temp_tree.h"
#include "maintenance/archive_clock.h"
#include "maintenance/scheduled_archive_win.h"
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
  std::vector<std::string> offeredFolders;
  std::vector<std::pair<std::string, uint32_t>> shown;

  const char* PickArchive(bool, const char* folder, const char* defaultName) override {
    offeredNames.push_back(defaultName);
    offeredFolders.push_back(folder);
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
  zip::ZipEntryInfo info;
  if (archive == nullptr || zip::ZipReaderGetEntry(archive, -1, &info) != zip::ZipResult::Ok) return names;
  for (int32_t i = 0, count = info.index; i < count; ++i) {
    if (zip::ZipReaderGetEntry(archive, i, &info) == zip::ZipResult::Ok) names.push_back(info.name);
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
    SetArchiveClockForTesting(FixedClock);
  }
  ~ConfigTransferWin() override {
    SetArchiveClockForTesting(nullptr);
    gApp.SetFilePatterns("*.plt;*.pim", "");
  }
  TempTree tree_;
  ScriptedPrompts prompts_;
};

TEST_F(ConfigTransferWin, BackupThenRestoreLeavesThatArchivePending) {
  // The backup stays in the build tree, where config_archive_interop.py opens it with other tools.
  prompts_.pick = ToWinePath(VERDELO_INTEROP_DIR "/backup.BrambeckConfig");
  char written[MAX_PATH] = "";
  ASSERT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Backup, nullptr, written),
            TransferResult::Done);
  EXPECT_EQ(prompts_.offeredNames, std::vector<std::string>{"Verdelo-2026.12.08.BrambeckConfig"});
  // No archive folder yet: the user's documents, never the program's folder.
  char documents[MAX_PATH];
  GetSpecialFolderPath(CSIDL_PERSONAL, documents);
  ASSERT_NE(documents[0], '\0');
  EXPECT_EQ(prompts_.offeredFolders, std::vector<std::string>{documents});
  EXPECT_EQ(written, prompts_.pick);
  EXPECT_TRUE(prompts_.shown.empty());
  EXPECT_EQ(EntryNames(prompts_.pick),
            (std::vector<std::string>{"Verdelo", "a.zrd", "p.plt", "p.pim", "sub/b.zrd"}));

  // Once the scheduled archives' folder exists, the dialogs start there.
  const ArchiveSettingsRecord original = ArchiveSettings();
  ArchiveSettingsRecord settings = original;
  std::snprintf(settings.folderTemplate, sizeof settings.folderTemplate, "%s",
                tree_.Path("archives").c_str());
  ASSERT_TRUE(SaveArchiveSettings(settings));
  SetArchiveSettings(original);
  tree_.Folder("archives");
  ASSERT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Restore, nullptr),
            TransferResult::Done);
  EXPECT_EQ(prompts_.offeredFolders.back(), tree_.Path("archives"));
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0], std::make_pair(std::string("Warning: your current configuration will be "
                                                          "overwritten!\nDo you want to continue?"),
                                              0x588u));
  std::ifstream backup(prompts_.pick, std::ios::binary);
  EXPECT_EQ(tree_.Read("data/Verdelo.BrambeckConfig"),
            std::string(std::istreambuf_iterator<char>(backup), {}));
}

TEST_F(ConfigTransferWin, RefusedArchivesLeaveNothingPending) {
  const std::string other = tree_.Path("other.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive({gApp.dataFolder, "Plantling", "", "", {1, 0, 0}}, other.c_str(), true),
            TransferResult::Done);
  // One byte of a data file's entry changed: the product entry is still there.
  const std::string damaged = tree_.Path("damaged.BrambeckConfig");
  ASSERT_EQ(WriteConfigArchive({gApp.dataFolder, "Verdelo", "", "", {1, 2, 3}}, damaged.c_str(), true),
            TransferResult::Done);
  std::string bytes = tree_.Read("damaged.BrambeckConfig");
  const size_t data = bytes.find("sub/b.zrd") + 9 + 17;  // past the local header's name and "UT" field
  bytes[data] = static_cast<char>(bytes[data] ^ 0x55);
  tree_.File("damaged.BrambeckConfig", bytes);
  const std::pair<std::string, TransferResult> cases[] = {
      {other, TransferResult::WrongProduct},
      {damaged, TransferResult::ArchiveError},
      {tree_.Path("data/x.txt"), TransferResult::ArchiveError},
      {"", TransferResult::Cancelled},
  };
  for (const auto& [file, result] : cases) {
    prompts_.pick = file;
    EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Restore, nullptr), result) << file;
  }
  EXPECT_EQ(prompts_.shown,
            (std::vector<std::pair<std::string, uint32_t>>{{"Wrong product!", 0x111},
                                                           {"Configuration file error!", 0x111},
                                                           {"Configuration file error!", 0x111}}));
  // No to the question.
  prompts_.pick = other;
  prompts_.answer = IDNO;
  EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Reset, nullptr),
            TransferResult::Cancelled);
  EXPECT_FALSE(tree_.Exists("data/Verdelo.BrambeckConfig"));
}

TEST_F(ConfigTransferWin, FileHeldByAnotherProgramIsSkippedAndCounted) {
  const std::string ready = "VerdeloHolding" + std::to_string(GetCurrentProcessId());
  const std::string release = "VerdeloRelease" + std::to_string(GetCurrentProcessId());
  HANDLE events[2] = {CreateEventA(nullptr, TRUE, FALSE, ready.c_str()),
                      CreateEventA(nullptr, TRUE, FALSE, release.c_str())};
  std::string command =
      "\"" VERDELO_FILE_HOLDER "\" \"" + tree_.Path("data/p.plt") + "\" " + ready + " " + release;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION holder{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &holder));
  ASSERT_EQ(WaitForSingleObject(events[0], 30000), WAIT_OBJECT_0);

  prompts_.pick = tree_.Path("backup.BrambeckConfig");
  EXPECT_EQ(TransferConfiguration(prompts_, nullptr, ConfigTransferMode::Backup, nullptr),
            TransferResult::FilesSkipped);
  SetEvent(events[1]);
  WaitForSingleObject(holder.hProcess, 30000);
  for (HANDLE handle : {holder.hProcess, holder.hThread, events[0], events[1]}) CloseHandle(handle);

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
  const std::string pending = tree_.Path("data/Verdelo.BrambeckConfig");
  EXPECT_EQ(EntryNames(pending), std::vector<std::string>{"Verdelo"});
  // The keep list travels in the product entry, for the start-up that applies the archive.
  zip::ZipHandle* archive = zip::ZipReaderOpen(pending.c_str(), nullptr);
  char entry[16] = {};
  EXPECT_EQ(zip::ZipReaderExtractToMemory(archive, 0, entry, sizeof entry), zip::ZipResult::Ok);
  EXPECT_EQ(std::string(entry, 11), std::string("*.plt\0"
                                                "1.2.3",
                                                11));
  (void)zip::ZipReaderClose(archive);
}

}  // namespace
