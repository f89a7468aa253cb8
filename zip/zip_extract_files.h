// Internal to the zip reader: callers must not include this header (use zip/zip_reader.h).
// The file-system side of extraction: folders, and files written under a temporary name and put in
// place only when complete. Paths use "/" or "\" as separators on every platform.
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

/// An extracted file on its way: created under a temporary name, filled, then put in place.
/// Destroying it before Commit removes the temporary file.
class ExtractedFile {
 public:
  ExtractedFile() = default;
  ~ExtractedFile();
  ExtractedFile(const ExtractedFile&) = delete;
  ExtractedFile& operator=(const ExtractedFile&) = delete;

  /// Creates temporaryPath afresh (replacing a leftover of that name) with the Windows attributes
  /// attributes (read-only, hidden, system, archive). False when it cannot be created.
  [[nodiscard]] bool Create(const std::string& temporaryPath, uint32_t attributes);

  /// Appends size bytes. False when they cannot all be written.
  [[nodiscard]] bool Write(const uint8_t* bytes, size_t size);

  /// Sets the times (FILETIME values) and renames the file to finalPath, replacing a file of that
  /// name. False, with the temporary file removed, when any step fails.
  [[nodiscard]] bool Commit(const std::string& finalPath, int64_t createTime, int64_t accessTime,
                            int64_t modifyTime);

 private:
  void Discard();

  std::string temporaryPath_;
  intptr_t handle_ = -1;  ///< the open temporary file: a descriptor, or a HANDLE; -1 for none
};

}  // namespace zip
