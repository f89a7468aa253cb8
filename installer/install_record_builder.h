// The install record this installation writes: the install folder chosen at install time and our
// own addresses, in the registry layout of framework/files/install_record.h. Writing it into the
// registry is left to install_record_registry_win.h.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/files/install_record.h"

namespace installer {

/// Name of the registry value that holds the record: the product name the program reads it by.
constexpr char kProductName[] = "Verdelo";
constexpr char kWebAddress[] = "https://www.brambeck.example/verdelo/";
constexpr char kUpdateCheckAddress[] = "https://www.brambeck.example/verdelo/version.txt";
constexpr char kDownloadAddress[] = "https://www.brambeck.example/verdelo/download/";

/// The registry value: exactly the record's 1326 bytes.
using InstallRecordBytes = std::array<uint8_t, sizeof(InstallRecord)>;

enum class RecordResult {
  Ok = 0,
  EmptyFolder,    ///< no install folder
  FolderTooLong,  ///< the folder does not fit its 260-byte field with its terminator
  FolderHasNul,   ///< a NUL inside the folder would cut the text the program reads
};

/// A fixed English text for `result`, for the installation log.
const char* RecordResultText(RecordResult result);

/// The folder that holds the program at `programPath`: the path up to its last "\", keeping the
/// "\" of a drive root ("C:\x.exe" gives "C:\"), so "%s\Init" of it still names a folder there.
/// Empty when the path has no "\".
std::string_view ProgramFolder(std::string_view programPath);

/// Lays out the record for an installation in `installFolder`: no custom data folder (each user
/// gets the default one), our web, update-check and download addresses, every other byte 0.
/// On failure `bytes` is left as it was.
[[nodiscard]] RecordResult BuildInstallRecord(std::string_view installFolder, InstallRecordBytes* bytes);

}  // namespace installer
