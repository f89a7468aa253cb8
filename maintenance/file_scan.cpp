// The one-folder wildcard scan.
#include "maintenance/file_scan.h"

#include <cstdio>
#include <cstring>

#include "framework/files/wildcard_match.h"

CFileScan::CFileScan(const char* patternFormat, ...)
    : found{}, matchCount(0), path_{}, folder_{}, pattern_{}, hasFolder_(false) {
  va_list arguments;
  va_start(arguments, patternFormat);
  TakePattern(patternFormat, arguments);
  va_end(arguments);
}

void CFileScan::Reset(const char* patternFormat, ...) {
  va_list arguments;
  va_start(arguments, patternFormat);
  TakePattern(patternFormat, arguments);
  va_end(arguments);
}

bool CFileScan::FindFirst(const char* patternFormat, ...) {
  va_list arguments;
  va_start(arguments, patternFormat);
  TakePattern(patternFormat, arguments);
  va_end(arguments);
  return OpenSearch();
}

bool CFileScan::OpenSearch() {
  (void)reader_.Close();
  matchCount = 0;
  path_[0] = '\0';
  // The root's folder text is empty, but it is read as the root, not the current directory.
  const char root[2] = {kPathSeparator, '\0'};
  const char* folder = hasFolder_ && folder_[0] == '\0' ? root : folder_;
  if (!AdvanceToMatch(reader_.Open(folder, &found))) return false;
  matchCount = 1;
  return true;
}

bool CFileScan::FindNext() {
  if (!reader_.IsOpen()) return OpenSearch();
  if (!AdvanceToMatch(reader_.Next(&found))) return false;
  ++matchCount;
  return true;
}

const char* CFileScan::GetFilePath() {
  path_[0] = '\0';
  if (!reader_.IsOpen()) return path_;
  const int length = hasFolder_
                         ? std::snprintf(path_, sizeof path_, "%s%c%s", folder_, kPathSeparator, found.name)
                         : std::snprintf(path_, sizeof path_, "%s", found.name);
  // A cut path would name another file, which a caller might delete.
  if (length < 0 || length >= static_cast<int>(sizeof path_)) path_[0] = '\0';
  return path_;
}

int32_t CFileScan::Close() { return reader_.Close(); }

void CFileScan::TakePattern(const char* patternFormat, va_list arguments) {
  (void)reader_.Close();
  matchCount = 0;
  pattern_[0] = '\0';
  if (patternFormat != nullptr) (void)std::vsnprintf(pattern_, sizeof pattern_, patternFormat, arguments);
  path_[0] = '\0';
  const char* last = std::strrchr(pattern_, kPathSeparator);
  hasFolder_ = last != nullptr;
  const size_t folderLength = hasFolder_ ? static_cast<size_t>(last - pattern_) : 0;
  std::memcpy(folder_, pattern_, folderLength);
  folder_[folderLength] = '\0';
}

// Steps from the entry just read (when `more`) to the first that matches the pattern's last part.
// Nothing matching closes a search that was just opened, as the system search opens none then.
bool CFileScan::AdvanceToMatch(bool more) {
  const char* last = std::strrchr(pattern_, kPathSeparator);
  const char* namePattern = last != nullptr ? last + 1 : pattern_;
  for (; more; more = reader_.Next(&found)) {
    if (MatchesWildcard(found.name, namePattern)) return true;
  }
  if (matchCount == 0) (void)reader_.Close();
  return false;
}
