// Test support: a folder in the temporary folder holding one small file, as an install folder
// with its program or its manual.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

/// Creates "<temp>\<folderName>" with fileName in it; returns the folder's path.
inline std::string MakeTempFolderWith(const std::string& folderName, const std::string& fileName) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + folderName;
  CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream(folder + "\\" + fileName) << fileName;
  return folder;
}
