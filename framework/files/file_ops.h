// The file-system calls behind the data-file store and folder creation, as an interface: the
// store's logic (names, length checks, write-then-replace) is platform-free, the real calls live
// in file_ops_win.cpp, and tests put a recording fake with failures on demand in between.
#pragma once

#include <cstdint>

/// Outcome of writing a new file in one go.
enum class NewFileResult {
  Ok = 0,      ///< created, every byte written and flushed, closed
  NotCreated,  ///< the file could not be created (missing folder, sharing, access)
  Incomplete,  ///< created, but writing, flushing or closing did not complete
};

class FileOps {
 public:
  virtual ~FileOps() = default;

  /// Reads up to `size` bytes from the start of an existing file, opened for reading while
  /// sharing read and write. False when it cannot be opened; else `*bytesRead` is the count read.
  virtual bool ReadStart(const char* path, void* buffer, uint32_t size, uint32_t* bytesRead) = 0;

  /// Size of an existing file, opened like ReadStart. False when it cannot be opened.
  virtual bool FileSize(const char* path, uint32_t* size) = 0;

  /// Creates `path` (truncating an old file, sharing nothing while open), writes `size` bytes,
  /// flushes them to the disk and closes it.
  virtual NewFileResult WriteNewFile(const char* path, const void* data, uint32_t size) = 0;

  /// Moves `from` over `to`, replacing it in one step and reaching the disk before returning.
  virtual bool MoveOver(const char* from, const char* to) = 0;

  /// Deletes a file; false when it could not be deleted.
  virtual bool RemoveFile(const char* path) = 0;

  /// True when `path` names an existing folder.
  virtual bool FolderExists(const char* path) = 0;

  /// Creates one folder level; false when it failed (the caller checks for its existence).
  virtual bool MakeFolder(const char* path) = 0;

  /// Waits; folder creation pauses after a failure so a racing creator can finish.
  virtual void Pause(uint32_t milliseconds) = 0;
};
