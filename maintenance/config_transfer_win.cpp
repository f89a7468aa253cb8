// Backup, Restore, Reset and ArchiveTo for the program in gApp, with their dialogs and messages.
#include "maintenance/config_transfer_win.h"

// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/files/file_ops_win.h"
#include "framework/files/folders_win.h"
#include "framework/shell/file_pickers_win.h"
#include "framework/ui/message_box_layout.h"
#include "maintenance/path_tokens_win.h"
#include "maintenance/scheduled_archive_win.h"

namespace {

constexpr uint16_t kTransferStrings = 0xF009;  // 0 the overwrite question, 1-4 the errors
constexpr int32_t kPieceQuestion = 0;
constexpr int32_t kPieceArchiveError = 1;
constexpr int32_t kPieceRestoreFailed = 2;
constexpr int32_t kPieceWrongProduct = 3;
constexpr int32_t kPieceFilesSkipped = 4;
constexpr uint32_t kErrorStyle = zrf::kErrorMessageStyle;
constexpr uint32_t kQuestionStyle = zrf::kOverwriteQuestionStyle;

// Description and pattern pairs, the first selected.
constexpr char kArchiveFilter[] = "Brambeck Configuration Data\0*.BrambeckConfig\0All files\0*.*\0";

class SystemPrompts final : public TransferPrompts {
 public:
  const char* PickArchive(bool save, const char* folder, const char* defaultName) override {
    // The dialog writes the chosen folder back into its folder argument.
    char start[MAX_PATH];
    std::snprintf(start, sizeof start, "%s", folder);
    return PickFileName(save, kArchiveFilter, 0, nullptr, start, defaultName);
  }
  int32_t Show(HWND owner, const char* text, uint32_t style) override {
    return gApp.MessageDialog(owner, gApp.productName, "%s", style, 0, text);
  }
};

ConfigArchiveSource ProgramSource() {
  return {gApp.dataFolder,
          gApp.productName,
          gApp.keepPatterns,
          gApp.dataFilePatterns,
          {gApp.version[0], gApp.version[1], gApp.version[2]}};
}

TransferResult Fail(TransferPrompts& prompts, HWND owner, TransferResult result, int32_t piece) {
  (void)prompts.Show(owner, gApp.strings.Text(kTransferStrings, piece), kErrorStyle);
  return result;
}

bool ConfirmOverwrite(TransferPrompts& prompts, HWND owner) {
  return prompts.Show(owner, gApp.strings.Text(kTransferStrings, kPieceQuestion), kQuestionStyle) ==
         zrf::kButtonYes;
}

// The name the file dialogs offer: the archive name template expanded, with the archive type.
void DefaultArchiveName(char (&name)[MAX_PATH]) {
  const ArchiveSettingsRecord settings = ArchiveSettings();
  char expanded[MAX_PATH];
  if (!ExpandPathTokens(settings.nameTemplate, expanded, sizeof expanded)) expanded[0] = '\0';
  const int length = std::snprintf(name, sizeof name, "%s.%s", expanded, kConfigArchiveType);
  if (length < 0 || length >= static_cast<int>(sizeof name) || expanded[0] == '\0') name[0] = '\0';
}

// Where the file dialogs start: the program folder, where they would start by themselves, is no
// place a standard user can write to, and a backup there would go with an uninstall.
void DialogFolder(char (&folder)[MAX_PATH]) {
  if (ScheduledArchiveFolder(folder, sizeof folder) && SystemFileOps().FolderExists(folder)) return;
  GetSpecialFolderPath(CSIDL_PERSONAL, folder);
}

// The archive the user picks, offered the default name; false when the dialog was cancelled or
// the path does not fit.
bool PickArchive(TransferPrompts& prompts, bool save, char (&archive)[MAX_PATH]) {
  char name[MAX_PATH];
  DefaultArchiveName(name);
  char folder[MAX_PATH];
  DialogFolder(folder);
  const char* chosen = prompts.PickArchive(save, folder, name);
  if (chosen == nullptr) return false;
  const int length = std::snprintf(archive, sizeof archive, "%s", chosen);
  return length >= 0 && length < static_cast<int>(sizeof archive);
}

// Copies the accepted archive beside the pending one and moves it into place, so the start-up
// never finds a pending archive cut short by a failed copy.
bool CopyToPending(const char* chosen, const char* pending) {
  char temporary[MAX_PATH];
  const int length = std::snprintf(temporary, sizeof temporary, "%s_tmp", pending);
  if (length < 0 || length >= static_cast<int>(sizeof temporary)) return false;
  if (CopyFileA(chosen, temporary, FALSE) && SystemFileOps().MoveOver(temporary, pending)) return true;
  (void)DeleteFileA(temporary);
  return false;
}

TransferResult Restore(TransferPrompts& prompts, HWND owner, const char* pending) {
  char archive[MAX_PATH];
  if (!PickArchive(prompts, false, archive)) return TransferResult::Cancelled;
  switch (CheckConfigArchive(archive, gApp.productName)) {
    case ArchiveVerdict::Accepted:
      break;
    case ArchiveVerdict::WrongProduct:
      return Fail(prompts, owner, TransferResult::WrongProduct, kPieceWrongProduct);
    case ArchiveVerdict::NotAnArchive:
    case ArchiveVerdict::Damaged:
      // Silence would leave the user guessing why nothing happened.
      return Fail(prompts, owner, TransferResult::ArchiveError, kPieceArchiveError);
  }
  if (!ConfirmOverwrite(prompts, owner)) return TransferResult::Cancelled;
  if (!CopyToPending(archive, pending))
    return Fail(prompts, owner, TransferResult::RestoreFailed, kPieceRestoreFailed);
  return TransferResult::Done;
}

TransferResult Written(TransferResult result, const char* archive, char* written) {
  if (result == TransferResult::Done && written != nullptr) std::snprintf(written, MAX_PATH, "%s", archive);
  return result;
}

TransferResult ReportWrite(TransferPrompts& prompts, HWND owner, TransferResult result, const char* archive,
                           char* written) {
  if (result == TransferResult::ArchiveError) return Fail(prompts, owner, result, kPieceArchiveError);
  if (result == TransferResult::FilesSkipped) return Fail(prompts, owner, result, kPieceFilesSkipped);
  return Written(result, archive, written);
}

}  // namespace

TransferPrompts& SystemTransferPrompts() {
  static SystemPrompts prompts;
  return prompts;
}

TransferResult TransferConfiguration(HWND owner, ConfigTransferMode mode, const char* path, char* written) {
  return TransferConfiguration(SystemTransferPrompts(), owner, mode, path, written);
}

TransferResult TransferConfiguration(TransferPrompts& prompts, HWND owner, ConfigTransferMode mode,
                                     const char* path, char* written) {
  const ConfigArchiveSource source = ProgramSource();
  char pending[MAX_PATH];
  const bool hasPending = PendingArchivePath(gApp.dataFolder, gApp.productName, pending);
  switch (mode) {
    case ConfigTransferMode::Restore:
      if (!hasPending) return Fail(prompts, owner, TransferResult::RestoreFailed, kPieceRestoreFailed);
      return Restore(prompts, owner, pending);
    case ConfigTransferMode::Backup: {
      char archive[MAX_PATH];
      if (!PickArchive(prompts, true, archive)) return TransferResult::Cancelled;
      return ReportWrite(prompts, owner, WriteConfigArchive(source, archive, true), archive, written);
    }
    case ConfigTransferMode::Reset:
      if (!ConfirmOverwrite(prompts, owner)) return TransferResult::Cancelled;
      if (!hasPending) return Fail(prompts, owner, TransferResult::ArchiveError, kPieceArchiveError);
      return ReportWrite(prompts, owner, WriteConfigArchive(source, pending, false), pending, nullptr);
    case ConfigTransferMode::ArchiveTo:
      if (path == nullptr || path[0] == '\0') return TransferResult::ArchiveError;
      return Written(WriteConfigArchive(source, path, true), path, written);
  }
  return TransferResult::ArchiveError;
}
