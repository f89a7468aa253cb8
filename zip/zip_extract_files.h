// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The file-system side of extraction: folders, and files that take the place of an existing file only
// once they are complete. Paths use "/" or "\" as separators on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zip {

/// The process's current directory, or an empty string when it cannot be read.
std::string CurrentDirectory();

/// True when path names an existing folder.
bool FolderExists(const std::string& path);

/// Makes the folder path unless it exists. False when it is missing afterwards.
bool MakeFolder(const std::string& path);

/// True when path names an existing file marked read-only, which extraction must not replace.
bool IsReadOnlyFile(const std::string& path);

/// What came of creating a file exclusively.
enum class CreateOutcome {
  Created,
  Exists,  ///< something of that name is there already, and was left untouched
  Failed,
};

/// An extracted file on its way: created under its own name or a temporary one, filled, then given
/// its times and, if need be, its own name. Destroying it before Commit removes the file it created,
/// and only that.
class ExtractedFile {
 public:
  ExtractedFile() = default;
  ~ExtractedFile();
  ExtractedFile(const ExtractedFile&) = delete;
  ExtractedFile& operator=(const ExtractedFile&) = delete;

  /// Creates path, which must not exist yet, with the Windows attributes attributes (read-only,
  /// hidden, system, archive). A file, folder or link of that name is never opened or replaced.
  [[nodiscard]] CreateOutcome Create(const std::string& path, uint32_t attributes);

  /// Appends size bytes through the file calls in force (ActiveFileCalls). False when they cannot
  /// all be written; the platform's error code then tells why.
  [[nodiscard]] bool Write(const uint8_t* bytes, size_t size);

  /// Sets the times (FILETIME values), flushes the file to the disk, closes it and, when it was
  /// created under another name, renames it to finalPath, replacing a file of that name. False,
  /// with the created file removed, when any step fails.
  [[nodiscard]] bool Commit(const std::string& finalPath, int64_t createTime, int64_t accessTime,
                            int64_t modifyTime);

 private:
  void Discard();

  std::string path_;      ///< the name the file was created under, empty when there is none
  intptr_t handle_ = -1;  ///< the open file: a descriptor, or a HANDLE; -1 for none
};

}  // namespace zip
