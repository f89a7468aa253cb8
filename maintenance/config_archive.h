// Configuration archives: a zip file holding the product entry (keep list and version) and every
// data file of the data folder. Writing one and judging one offered for restoring are
// platform-free; the dialogs and messages around them live in config_transfer_win.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/app/pending_archive.h"
#include "framework/files/file_list.h"

/// Extension of the framework's data files, which every configuration archive takes along.
constexpr char kDataFileType[] = "zrd";

/// Results of TransferConfiguration; the numbers are what callers compare.
enum class [[nodiscard]] TransferResult : int32_t{
    Done = 0,
    Cancelled = 1,      ///< the user cancelled a dialog or did not answer Yes
    ArchiveError = 2,   ///< the archive could not be written whole, or read whole for restoring
    RestoreFailed = 3,  ///< the chosen archive could not be copied to the pending archive
    WrongProduct = 4,   ///< the archive has no product entry of this product
    FilesSkipped = 5,   ///< written, but at least one file could not be read whole and was left out
};

/// What a configuration archive is made from.
struct ConfigArchiveSource {
  const char* dataFolder;        ///< full path without a trailing separator
  const char* productName;       ///< names the product entry, exactly as stored
  const char* keepPatterns;      ///< files that survive applying the archive; ";"-separated
  const char* dataFilePatterns;  ///< the program's own files besides data files; may be ""
  int32_t version[3];            ///< major, minor, build of the program writing the archive
};

/// Room for the product entry: a keep list of at most 259 characters, its NUL, and three numbers
/// of at most 11 characters each ("-2147483648") with two dots, plus snprintf's NUL.
constexpr size_t kProductEntryCapacity = 259 + 1 + 3 * 11 + 2 + 1;

/// The product entry's bytes: the keep list (cut at 259 characters), one NUL, "%d.%d.%d" of the
/// version, no NUL at the end. Returns the number of bytes.
uint32_t BuildProductEntry(const char* keepPatterns, const int32_t version[3],
                           char (&entry)[kProductEntryCapacity]);

/// The file list's patterns for an archive: "*.zrd", then ";" and `dataFilePatterns` when that
/// is not empty.
void BuildConfigFilePatterns(const char* dataFilePatterns, char (&patterns)[kFileListPatternsSize]);

/// The entry name of `path`, a file below `dataFolder`: the part after the folder and its
/// separator. False when `path` does not lie below the folder.
bool ConfigEntryName(const char* dataFolder, const char* path, const char** name);

/// Writes a configuration archive to `archivePath`: the product entry, then (with `withFiles`)
/// every data file and program file below the data folder in file-list order. A file that cannot
/// be read whole is left out and counted (FilesSkipped); an archive that cannot be written whole
/// is ArchiveError and never left at `archivePath` (an older file of that name survives a
/// failed write untouched).
TransferResult WriteConfigArchive(const ConfigArchiveSource& source, const char* archivePath, bool withFiles);

/// What a file offered for restoring is.
enum class ArchiveVerdict {
  Accepted,      ///< a whole archive with this product's entry
  NotAnArchive,  ///< cannot be opened as a zip archive
  WrongProduct,  ///< an archive without this product's entry (compared with letter case)
  Damaged,       ///< an entry cannot be read whole or fails its CRC-32
};

/// Opens `archivePath`, looks for the product entry and test-reads every entry with its CRC-32,
/// so that an archive applied at the next start can be applied whole.
ArchiveVerdict CheckConfigArchive(const char* archivePath, const char* productName);
