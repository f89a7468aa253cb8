// Creating every missing level of a folder path, over the file-operations seam.
#pragma once

#include <cstdint>

class FileOps;

/// Results of CreateFolderPath.
constexpr int32_t kFolderReady = 0;       ///< the folder existed or every level was created
constexpr int32_t kFolderNotCreated = 1;  ///< a level could not be created, or the path is too long
constexpr int32_t kFolderEmptyPath = 2;   ///< the path was null or empty

/// Longest path CreateFolderPath works on, terminator included.
constexpr int32_t kFolderPathCapacity = 520;

/// Creates every missing level of `path` from the top down, through `ops`. When a level is still
/// missing after its creation the walk ends with kFolderNotCreated, after a 100 ms pause when
/// `pause` is set. A path of 520 characters or more is refused (kFolderNotCreated) instead of being
/// cut, since a cut path could name another folder.
int32_t CreateFolderPath(FileOps& ops, const char* path, bool pause);
