// The store behind every persistent framework record: one small file per record, named
// "<folder>\<name>[<number>].zrd", holding the record's raw bytes with no header. A write goes to
// "<path>_tmp" first and then replaces the old file in one move, so the file on disk is always
// either the whole old record or the whole new one. Records' layouts belong to their owners.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/base/path_backslash.h"

class FileOps;

constexpr int32_t kDataFolderLocation = 0;           ///< the per-user data folder
constexpr int32_t kCommonDataFolderLocation = 1;     ///< the all-users data folder
constexpr int32_t kNoFileNumber = -1;                ///< a record that exists once
constexpr size_t kDataPathCapacity = kPathCapacity;  ///< characters of a path, terminator included

/// Builds "<folder>\<fileName>.<extension>" into `path` (fileName and extension may be null, and
/// are then left out with their separator). False, with `path` emptied, when any part is null
/// where it is needed or the result would not fit in kDataPathCapacity characters: a cut path
/// could name another file.
bool BuildFolderFilePath(char (&path)[kDataPathCapacity], const char* folder, const char* fileName,
                         const char* extension);

/// A data-file store on two folders, reaching the disk through `ops`. The folders and `ops` are
/// borrowed and must outlive the store; folders are full paths without a trailing backslash.
class DataFileStore {
 public:
  DataFileStore(FileOps& ops, const char* dataFolder, const char* commonDataFolder)
      : ops_(ops), folders_{dataFolder, commonDataFolder} {}

  /// Reads the data file `name` (followed by `number` unless it is kNoFileNumber) of `location`
  /// into `buffer`: up to `size` bytes, the rest of the buffer keeping what it held. With a null
  /// buffer, the file's size. 0 when the file is missing or unreadable, the name does not fit,
  /// or the location is unknown or its folder not set.
  uint32_t ReadDataFile(const char* name, int32_t number, void* buffer, uint32_t size, int32_t location);

  /// Writes `size` bytes as the data file `name` (and `number`) of `location`, through its "_tmp"
  /// file, creating missing folder levels. Returns `size` when the new record has replaced the
  /// file, else 0; on 0 the old file is untouched.
  uint32_t WriteDataFile(const char* name, int32_t number, const void* data, uint32_t size, int32_t location);

  /// As ReadDataFile, for the path "<folder>\<fileName>.<extension>"; a null folder stands for
  /// the location's folder.
  uint32_t ReadFileFromFolder(const char* folder, const char* fileName, const char* extension, void* buffer,
                              uint32_t size, int32_t location);

  /// As WriteDataFile, for the path built like ReadFileFromFolder's. When the target path plus
  /// "_tmp" does not fit, nothing is touched and the result is 0.
  uint32_t WriteFileAtomic(const char* folder, const char* fileName, const char* extension, const void* data,
                           uint32_t size, int32_t location);

 private:
  bool BuildPath(char (&path)[kDataPathCapacity], const char* folder, const char* fileName,
                 const char* extension, int32_t location) const;

  FileOps& ops_;
  const char* folders_[2];
};
