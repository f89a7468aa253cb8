// Creating every missing level of a folder path.
#include "framework/files/folder_path.h"

#include <cstring>

#include "framework/files/file_ops.h"

namespace {

// Position of the last backslash before `end` in `path`, or -1.
int32_t LastBackslashBefore(const char* path, int32_t end) {
  for (int32_t i = end - 1; i >= 0; --i) {
    if (path[i] == '\\') return i;
  }
  return -1;
}

}  // namespace

int32_t CreateFolderPath(FileOps& ops, const char* path, bool pause) {
  if (path == nullptr || *path == '\0') return kFolderEmptyPath;
  size_t length = strnlen(path, kFolderPathCapacity);
  if (length >= size_t(kFolderPathCapacity)) return kFolderNotCreated;
  char copy[kFolderPathCapacity];
  std::memcpy(copy, path, length + 1);
  if (ops.FolderExists(copy)) return kFolderReady;

  // Walk up: cut at backslashes until an existing prefix is found (or none is left). `cuts`
  // remembers where each backslash stood so the walk down can put them back in turn.
  int32_t cuts[kFolderPathCapacity];
  int32_t cutCount = 0;
  int32_t end = int32_t(length);
  bool prefixExists = false;
  for (;;) {
    int32_t at = LastBackslashBefore(copy, end);
    if (at < 0) break;
    copy[at] = '\0';
    cuts[cutCount++] = at;
    end = at;
    // "\\server" and the empty prefix of "\folder" are no folders of their own to test or make.
    if (at > 0 && ops.FolderExists(copy)) {
      prefixExists = true;
      break;
    }
  }

  // Walk down: when nothing existed the first component itself is the first level to make.
  auto makeLevel = [&]() {
    if (copy[0] == '\0' || ops.FolderExists(copy)) return true;
    ops.MakeFolder(copy);
    return ops.FolderExists(copy);
  };
  if (!prefixExists && !makeLevel()) {
    if (pause) ops.Pause(100);
    return kFolderNotCreated;
  }
  while (cutCount > 0) {
    copy[cuts[--cutCount]] = '\\';
    if (!makeLevel()) {
      if (pause) ops.Pause(100);
      return kFolderNotCreated;
    }
  }
  return kFolderReady;
}
