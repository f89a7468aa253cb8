// Files under the zip library: a thin layer over the platform's file calls (Win32 handles on
// Windows, file descriptors elsewhere), reached through a table that tests may replace to make a
// chosen call fail.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zip/zip_time.h"

namespace zip {

/// A platform file handle carried in a pointer-sized integer: a Win32 HANDLE on Windows, a file
/// descriptor elsewhere. kNoFile (INVALID_HANDLE_VALUE, or -1) stands for none.
using OsHandle = intptr_t;
constexpr OsHandle kNoFile = -1;

/// Windows attribute bits that entries carry.
constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;

struct FileInfo {
  uint32_t attributes = 0;  ///< Windows attribute bits (elsewhere mapped from the mode)
  uint64_t size = 0;
  EntryTimes times;
};

/// The file calls. Each returns a failure instead of raising one.
struct FileCalls {
  /// Creates name, which must not exist yet, for writing, not shared; kNoFile on failure, with
  /// *exists set when something of that name is there (and was left untouched).
  OsHandle (*createNew)(const char* name, bool* exists);
  /// Opens an existing file for reading, shared with readers only; kNoFile on failure.
  OsHandle (*openForRead)(const char* name);
  /// One read of up to size bytes: the count, 0 at the end, -1 on failure.
  int64_t (*read)(OsHandle file, void* buffer, size_t size);
  /// Writes all size bytes; returns how many were written before a failure.
  size_t (*write)(OsHandle file, const void* bytes, size_t size);
  /// The current position; false for a file that cannot be repositioned (pipes, devices).
  bool (*tell)(OsHandle file, uint64_t* position);
  bool (*seek)(OsHandle file, uint64_t position);
  bool (*info)(OsHandle file, FileInfo* info);
  /// Closes the handle; false when the close reported an error (data may not have reached disk).
  bool (*close)(OsHandle file);
  /// Pushes written data to the disk; false on failure.
  bool (*flush)(OsHandle file);
  /// Moves the closed file from over to, replacing a file there, durably; false on failure.
  bool (*replace)(const char* from, const char* to);
  /// Deletes a file; false on failure.
  bool (*remove)(const char* name);
};

/// The platform's calls.
const FileCalls& SystemFileCalls();
/// The calls in force: the platform's unless a test replaced them.
const FileCalls& ActiveFileCalls();
/// Replaces the calls (null restores the platform's). Tests only; not thread-safe.
void SetFileCallsForTesting(const FileCalls* calls);

/// One file handle, closed when the object goes unless it was borrowed from the caller.
class OsFile {
 public:
  OsFile() = default;
  OsFile(OsHandle handle, bool owned) : handle_(handle), owned_(owned) {}
  ~OsFile() { (void)Close(); }
  OsFile(OsFile&& other) noexcept : handle_(other.handle_), owned_(other.owned_) { other.handle_ = kNoFile; }
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;

  bool IsOpen() const { return handle_ != kNoFile; }
  /// The handle, still owned by this object.
  OsHandle handle() const { return handle_; }

  /// Closes an owned handle and forgets a borrowed one. False when closing reported an error.
  [[nodiscard]] bool Close();

  /// The FileCalls operations on this handle; see there.
  int64_t Read(void* buffer, size_t size) { return ActiveFileCalls().read(handle_, buffer, size); }
  size_t Write(const void* bytes, size_t size) { return ActiveFileCalls().write(handle_, bytes, size); }
  bool Tell(uint64_t& position) { return ActiveFileCalls().tell(handle_, &position); }
  bool Seek(uint64_t position) { return ActiveFileCalls().seek(handle_, position); }
  bool Info(FileInfo& info) { return ActiveFileCalls().info(handle_, &info); }
  bool Flush() { return ActiveFileCalls().flush(handle_); }

 private:
  OsHandle handle_ = kNoFile;
  bool owned_ = false;
};

}  // namespace zip
