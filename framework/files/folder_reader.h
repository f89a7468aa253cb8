// Reading the entries of one folder, one at a time: the thin platform layer under the file list
// and the file scan (FindFirstFileExA on Windows, opendir elsewhere). Names are matched by the
// callers, so which entries a pattern selects is the same everywhere.
#pragma once

#include <cstdint>

/// Separator of path components: "\" on Windows, "/" elsewhere.
extern const char kPathSeparator;

/// Windows attribute bits that entries carry (elsewhere mapped from the file's mode and name).
constexpr uint32_t kEntryReadOnly = 0x01;
constexpr uint32_t kEntryHidden = 0x02;
constexpr uint32_t kEntryDirectory = 0x10;
constexpr uint32_t kEntryReparsePoint = 0x400;

/// One entry of a folder. Times are in FILETIME units: 100 ns since 1601-01-01 UTC.
struct FolderEntry {
  char name[260];         ///< the entry's own name, without its folder
  uint32_t attributes;    ///< kEntry* bits
  bool isLink;            ///< a symbolic link or junction: another name for something elsewhere
  uint64_t creationTime;  ///< the last write where the file system keeps no creation time
  uint64_t lastWriteTime;
  uint64_t size;
};

/// An open enumeration of one folder. Entries come in the order the file system keeps them, "."
/// and ".." included where it reports them; names that do not fit in 260 characters are passed
/// over. Not copyable; closes itself when it goes.
class FolderReader {
 public:
  FolderReader() = default;
  ~FolderReader() { (void)Close(); }
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  /// Closes an open enumeration, then opens `folder` (empty: the current directory) and reads
  /// its first entry into `entry`. False when the folder cannot be read or holds nothing.
  bool Open(const char* folder, FolderEntry* entry);

  /// Reads the next entry into `entry`; false at the end, on failure or when nothing is open.
  bool Next(FolderEntry* entry);

  /// Ends the enumeration. -1 when none was open, else 1 when the system closed it and 0 when
  /// the close failed.
  int32_t Close();

  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;  ///< the search handle, or DIR*
};

/// True for the "." and ".." entries, which stand for the folder itself and its parent.
inline bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
