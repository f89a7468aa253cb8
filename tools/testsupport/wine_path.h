// Test programs get Linux paths from ctest; under Wine a Linux path is reached through drive Z:.
#pragma once

#include <string>

/// "/work/x" becomes "Z:/work/x" on Windows; other paths, and every path on Linux, are unchanged.
inline std::string ToWinePath(const std::string& path) {
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') return "Z:" + path;
#endif
  return path;
}
