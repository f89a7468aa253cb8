// A program folder laid out as the package lays it out, for tests and runs: each file keeps its name.
#pragma once

#include <windows.h>

#include <string>

/// Copies `file` into `folder` under its own name; false when it could not.
inline bool CopyIntoFolder(const std::string& file, const std::string& folder) {
  const size_t slash = file.find_last_of("/\\");
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  return CopyFileA(file.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
}
