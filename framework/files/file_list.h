// CFileList: every folder below a root (the root included) and every file in them whose name
// matches one of a list of patterns. The start-up uses it to seed a new data folder and to apply a
// pending configuration archive; the configuration transfer to gather the files it saves.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "framework/base/zrf_array.h"

/// One path of a file list: a full path, NUL-terminated.
struct FileListPath {
  char text[260];
};

/// True when `list` holds `path`, compared without regard to the case of ASCII letters.
bool FileListHolds(const CZrfArray<FileListPath>& list, const char* path);

constexpr int32_t kFileListPatternsSize = 2600;

class CFileList {
 public:
  /// Empty root and patterns, separator ";", both lists empty.
  CFileList();
  /// As above, then the patterns from the printf-style `patternFormat` (at most 2599 characters,
  /// cut beyond) and the root (cut at 259), then Scan.
  CFileList(const char* rootFolder, const char* patternFormat, ...);

  /// New root and patterns as in the constructor (the separator stays), then Scan. Returns the
  /// number of files as Scan does.
  int32_t Rescan(const char* rootFolder, const char* patternFormat, ...);

  /// Lists the folders and files anew: -1 for an empty root and 0 for empty patterns (both lists
  /// keep what they held), else the number of files found.
  ///
  /// Folders: the root, then every folder below it depth-first. Symbolic links and junctions are
  /// neither listed nor entered, so the walk ends even where links form a loop; a folder whose
  /// path would not fit in 260 characters is left out with everything below it.
  /// Files: for each listed folder in turn, for each pattern in turn, its entries that are not
  /// folders and whose names match the pattern (MatchesWildcard), in the order of their names
  /// without regard to case. Both lists hold each path once, compared without regard to case.
  /// A folder that cannot be read contributes nothing; a path that cannot be stored (no memory)
  /// is left out.
  int32_t Scan();

  char root[260];                        ///< without a trailing separator
  char patterns[kFileListPatternsSize];  ///< patterns joined by `separator`, e.g. "*.*"
  char separator;                        ///< ';'
  CZrfArray<FileListPath> files;         ///< full paths of the files, in the order found
  CZrfArray<FileListPath> folders;       ///< full paths of the folders, the root first

 private:
  void SetRootAndPatterns(const char* rootFolder, const char* patternFormat, va_list arguments);
  void AddSubfolders(const char* folder);
  void AddMatchingFiles(const char* folder);
};
