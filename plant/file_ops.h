// The file operations that loading and saving a plant file go through. The system's own
// implementation lives in file_ops_posix.cpp (Linux) and file_ops_win.cpp (Windows); tests put a
// failing or recording implementation in its place to prove that no failure loses the plant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plant {

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

/// Plain file operations on ANSI paths. Every call reports failure by its result; none throws.
class FileOps {
 public:
  virtual ~FileOps() = default;
  /// True when path names an existing file (its attributes can be read).
  [[nodiscard]] virtual bool Exists(const std::string& path) = 0;
  /// Opens an existing file for reading, sharing read access; kNoFile on failure.
  [[nodiscard]] virtual FileHandle OpenForRead(const std::string& path) = 0;
  /// Creates or truncates a file for writing, sharing read access; kNoFile on failure.
  [[nodiscard]] virtual FileHandle Create(const std::string& path) = 0;
  /// Reads up to size bytes; *done is the count read (0 at the end of the file). False when the
  /// call itself failed.
  [[nodiscard]] virtual bool Read(FileHandle file, void* buffer, size_t size, size_t* done) = 0;
  /// Writes up to size bytes; *done is the count written, which may be short. False on failure.
  [[nodiscard]] virtual bool Write(FileHandle file, const void* buffer, size_t size, size_t* done) = 0;
  /// The size in bytes of an open file; false when it cannot be told.
  [[nodiscard]] virtual bool SizeOf(FileHandle file, uint64_t* size) = 0;
  /// Forces written data to the disk.
  [[nodiscard]] virtual bool Flush(FileHandle file) = 0;
  /// Closes the file; the handle is gone whatever the result.
  [[nodiscard]] virtual bool Close(FileHandle file) = 0;
  /// Clears a read-only attribute of path; true also when path does not exist or is writable.
  [[nodiscard]] virtual bool MakeWritable(const std::string& path) = 0;
  /// Replaces to by from in one step (write-through); on failure both stay as they were.
  [[nodiscard]] virtual bool Replace(const std::string& from, const std::string& to) = 0;
  /// Deletes path.
  [[nodiscard]] virtual bool Remove(const std::string& path) = 0;
  /// Waits milliseconds.
  virtual void Sleep(uint32_t milliseconds) = 0;
  /// The platform's code for the last failed call of this thread (errno, GetLastError()), for the
  /// user to be told why; 0 when there is none to tell.
  [[nodiscard]] virtual uint32_t ErrorCode() { return 0; }
};

/// The system's file operations; lives for the whole process.
[[nodiscard]] FileOps& SystemFileOps();

}  // namespace plant
