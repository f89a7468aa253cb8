// Folder helpers on the real file system: creating a folder path, testing that a data folder can
// be written, and the shell's special folders.
#pragma once

#include <windows.h>

#include <cstdint>

/// CreateFolderPath (folder_path.h) on the real file system.
int32_t CreateFolderPath(const char* path, bool pause);

/// Creates and deletes "ZRFWriteTest.tmp" in `folder` (one trailing "\" of the folder ignored).
/// 0 when that worked; 2 when the file could not be created or the path does not fit.
int32_t TestDataFolderWritable(const char* folder);

/// Writes the path of the shell folder `csidl` (CSIDL_APPDATA, CSIDL_COMMON_APPDATA,
/// CSIDL_STARTUP, ...) into `path` (260 characters); the buffer is empty on failure.
void GetSpecialFolderPath(int csidl, char* path);
