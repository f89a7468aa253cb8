// The recursive file list: the walk over folders and the pattern selection of files.
#include "framework/files/file_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/files/folder_reader.h"
#include "framework/files/wildcard_match.h"

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

int CompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const char fa = FoldAscii(*a), fb = FoldAscii(*b);
    if (fa != fb || fa == '\0') return static_cast<unsigned char>(fa) - static_cast<unsigned char>(fb);
  }
}

// "<folder><separator><name>"; false when it does not fit, since a cut path names another file.
bool JoinPath(FileListPath* path, const char* folder, const char* name) {
  const int length = std::snprintf(path->text, sizeof path->text, "%s%c%s", folder, kPathSeparator, name);
  return length >= 0 && length < static_cast<int>(sizeof path->text);
}

// The folder's entries other than "." and "..", by name without regard to case (ties by bytes),
// which is the order NTFS keeps them in and gives the same list on every file system.
void ReadSortedEntries(const char* folder, CZrfArray<FolderEntry>& entries) {
  entries.count = 0;
  FolderReader reader;
  FolderEntry entry;
  for (bool more = reader.Open(folder, &entry); more; more = reader.Next(&entry)) {
    if (!IsDotEntry(entry.name)) (void)entries.Add(entry);
  }
  if (entries.count == 0) return;
  FolderEntry* first = entries.GetAt(0);
  std::sort(first, first + entries.count, [](const FolderEntry& a, const FolderEntry& b) {
    const int folded = CompareNoCase(a.name, b.name);
    return folded != 0 ? folded < 0 : std::strcmp(a.name, b.name) < 0;
  });
}

}  // namespace

bool FileListHolds(const CZrfArray<FileListPath>& list, const char* path) {
  for (int32_t i = 0; i < list.count; ++i) {
    if (CompareNoCase(list.GetAt(i)->text, path) == 0) return true;
  }
  return false;
}

CFileList::CFileList() : root{}, patterns{}, separator(';') {}

CFileList::CFileList(const char* rootFolder, const char* patternFormat, ...) : CFileList() {
  va_list arguments;
  va_start(arguments, patternFormat);
  SetRootAndPatterns(rootFolder, patternFormat, arguments);
  va_end(arguments);
  (void)Scan();
}

int32_t CFileList::Rescan(const char* rootFolder, const char* patternFormat, ...) {
  va_list arguments;
  va_start(arguments, patternFormat);
  SetRootAndPatterns(rootFolder, patternFormat, arguments);
  va_end(arguments);
  return Scan();
}

void CFileList::SetRootAndPatterns(const char* rootFolder, const char* patternFormat, va_list arguments) {
  patterns[0] = '\0';
  if (patternFormat != nullptr) (void)std::vsnprintf(patterns, sizeof patterns, patternFormat, arguments);
  std::snprintf(root, sizeof root, "%s", rootFolder != nullptr ? rootFolder : "");
}

int32_t CFileList::Scan() {
  if (root[0] == '\0') return -1;
  if (patterns[0] == '\0') return 0;
  files.count = 0;
  folders.count = 0;
  FileListPath rootPath;
  std::memcpy(rootPath.text, root, sizeof root);
  if (folders.Add(rootPath) < 0) return 0;
  AddSubfolders(root);
  for (int32_t i = 0; i < folders.count; ++i) AddMatchingFiles(folders.GetAt(i)->text);
  return files.count;
}

void CFileList::AddSubfolders(const char* folder) {
  CZrfArray<FolderEntry> entries;
  ReadSortedEntries(folder, entries);
  for (int32_t i = 0; i < entries.count; ++i) {
    const FolderEntry& entry = *entries.GetAt(i);
    if ((entry.attributes & kEntryDirectory) == 0 || entry.isLink) continue;
    FileListPath path;
    if (!JoinPath(&path, folder, entry.name)) continue;
    // Without links a folder is met once; a name that folds onto a listed one is that folder.
    if (FileListHolds(folders, path.text) || folders.Add(path) < 0) continue;
    AddSubfolders(path.text);
  }
}

void CFileList::AddMatchingFiles(const char* folder) {
  CZrfArray<FolderEntry> entries;
  ReadSortedEntries(folder, entries);
  char piece[kFileListPatternsSize];
  const char* rest = patterns;
  while (*rest != '\0') {
    const char* end = separator != '\0' ? std::strchr(rest, separator) : nullptr;
    const size_t length = end != nullptr ? static_cast<size_t>(end - rest) : std::strlen(rest);
    std::memcpy(piece, rest, length);
    piece[length] = '\0';
    rest = end != nullptr ? end + 1 : rest + length;
    for (int32_t i = 0; i < entries.count; ++i) {
      const FolderEntry& entry = *entries.GetAt(i);
      if ((entry.attributes & kEntryDirectory) != 0 || !MatchesWildcard(entry.name, piece)) continue;
      FileListPath path;
      if (JoinPath(&path, folder, entry.name) && !FileListHolds(files, path.text)) (void)files.Add(path);
    }
  }
}
