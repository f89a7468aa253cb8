// CFileScan: the entries of one folder that match a wildcard pattern, one at a time, with the full
// path of the current one. It does not descend into subfolders and does not filter: folders, and
// "." and ".." where the pattern matches them, come like files. Archive pruning uses it.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "framework/files/folder_reader.h"

class CFileScan {
 public:
  /// No search open; the pattern is the printf-style text (cut at 259 characters): a path whose
  /// last part may hold "*" and "?".
  explicit CFileScan(const char* patternFormat, ...);
  ~CFileScan() { (void)Close(); }
  CFileScan(const CFileScan&) = delete;
  CFileScan& operator=(const CFileScan&) = delete;

  /// Closes an open search and takes a new pattern as the constructor does.
  void Reset(const char* patternFormat, ...);

  /// Takes a new pattern (formatted once, as the constructor does), opens the search and makes
  /// its first match current. False when nothing matches or the folder cannot be read; no search
  /// is then open.
  bool FindFirst(const char* patternFormat, ...);

  /// Without an open search, FindFirst on the stored pattern as it stands; otherwise the next
  /// match. False when there is none; the ended search stays open until Close, Reset or FindFirst.
  bool FindNext();

  /// The current entry's path: the pattern's folder, the separator and the entry's name, or the
  /// bare name for a pattern without a folder; "" when no search is open or the path would not
  /// fit in 260 characters. Valid until the next call on this object.
  const char* GetFilePath();

  /// Ends an open search: 1 when the system closed it, 0 when that failed; -1 when none was open.
  int32_t Close();

  FolderEntry found;   ///< the current entry: name, attributes, times and size
  int32_t matchCount;  ///< entries found since the search was opened

 private:
  void TakePattern(const char* patternFormat, va_list arguments);
  bool OpenSearch();
  bool AdvanceToMatch(bool more);

  FolderReader reader_;
  char path_[260];
  char folder_[260];  ///< the pattern's text before its last separator
  char pattern_[260];
  bool hasFolder_;  ///< the pattern holds a separator (its folder may still be "", the root)
};
