// Where the per-user and the all-users data folders are and which files seed a new one.
// Platform-free; the wait for a folder that is not there yet is data_path_wait.h's.
#pragma once

#include <cstdint>

#include "framework/files/install_record.h"

constexpr int32_t kDataFolderSize = 260;
/// Folder below the application-data folders that holds the maker's products.
constexpr char kMakerFolder[] = "Brambeck";
/// Sub-folder of the install folder whose files seed a new data folder.
constexpr char kInitFolderName[] = "Init";

/// The two data folders.
struct DataFolders {
  char dataFolder[kDataFolderSize];
  char commonDataFolder[kDataFolderSize];
};

/// Works out both folders. With the install record's custom-folder flag, both are its custom
/// folder, and with the append-user flag the data folder gets "\" and `userName` as well;
/// otherwise they are `appDataFolder` and `commonAppDataFolder` followed by "\Brambeck\" and the
/// product name. A folder whose base is empty, or that would not fit in 260 characters, is left
/// empty (a cut or root-relative path could name another folder); the wait then fails for it.
void WorkOutDataFolders(const InstallRecord& install, const char* productName, const char* appDataFolder,
                        const char* commonAppDataFolder, const char* userName, DataFolders* folders);

/// True when both paths are the same text without regard to the case of ASCII letters.
bool IsSameFolder(const char* a, const char* b);

/// True when `path` lies below `folder`, both full paths: `folder` is its start without regard to
/// the case of ASCII letters, with "\" and "/" alike, and a separator and more follow (a trailing
/// separator of `folder` counts as that one). False when either is null or empty.
bool IsBelowFolder(const char* path, const char* folder);

/// The path of the data-folder copy of `initFile`, a file below `initFolder`: `dataFolder`, "\"
/// and the part of `initFile` after `initFolder` and its "\". False, with `target` empty, when
/// `initFile` does not lie below `initFolder` or the result would not fit in 260 characters.
bool InitCopyTarget(const char* initFolder, const char* initFile, const char* dataFolder,
                    char (&target)[kDataFolderSize]);
