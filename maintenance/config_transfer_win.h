// TransferConfiguration: backing the configuration up into a configuration archive, accepting an
// archive for restoring at the next start, resetting, and writing a timed archive copy. Every
// message goes through the framework message box.
#pragma once

#include <windows.h>

#include <cstdint>

#include "maintenance/config_archive.h"

/// The mode argument of TransferConfiguration.
enum class ConfigTransferMode : int32_t {
  Restore = 0,    ///< the user picks an archive; it becomes the pending archive
  Backup = 1,     ///< the user picks where to write an archive
  Reset = 2,      ///< a pending archive with the product entry alone
  ArchiveTo = 3,  ///< an archive at the given path, without any user interface
};

/// What a transfer asks of the user. The system's shows the common file dialogs and the framework
/// message box; tests give a scripted one.
class TransferPrompts {
 public:
  virtual ~TransferPrompts() = default;
  /// The archive the user picks: where to save one (`save`) or which to open, starting in
  /// `folder` and offering `defaultName`. The path is valid until the next call; null when the
  /// user cancelled.
  virtual const char* PickArchive(bool save, const char* folder, const char* defaultName) = 0;
  /// Shows `text` in the framework message box owned by `owner`, titled with the product name;
  /// returns the id of the button pressed.
  virtual int32_t Show(HWND owner, const char* text, uint32_t style) = 0;
};

/// The common file dialogs and the framework message box.
TransferPrompts& SystemTransferPrompts();

/// Runs `mode` for the program in gApp (its data folder, product name, patterns and version).
/// `path` is read only by ArchiveTo: the full name of the archive to write. Restore and Reset
/// leave the pending archive "<data folder>\<product>.BrambeckConfig" that the next start applies.
/// The file dialogs start in the scheduled archives' folder when it exists, else in the user's
/// documents. `written` (MAX_PATH characters, may be null) receives the archive written by a
/// Backup or ArchiveTo that is Done. Errors are shown here (not for ArchiveTo); the caller reports
/// success.
TransferResult TransferConfiguration(HWND owner, ConfigTransferMode mode, const char* path,
                                     char* written = nullptr);

/// The same with the given prompts.
TransferResult TransferConfiguration(TransferPrompts& prompts, HWND owner, ConfigTransferMode mode,
                                     const char* path, char* written = nullptr);
