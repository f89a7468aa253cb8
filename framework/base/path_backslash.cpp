// Trailing-backslash handling of path buffers.
#include "framework/base/path_backslash.h"

#include <cstring>

char* AddTrailingBackslash(char* path, size_t capacity) {
  size_t length = std::strlen(path);
  if (length == 0 || path[length - 1] == '\\') return path;
  // Room for the backslash and the terminator: length + 2 <= capacity.
  if (length + 2 > capacity) return path;
  path[length] = '\\';
  path[length + 1] = '\0';
  return path;
}

char* RemoveTrailingBackslash(char* path) {
  size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == '\\') path[length - 1] = '\0';
  return path;
}
