// Moving, removing and asking about single files and folders by path: the thin platform layer
// under the restore of a configuration (rename and unlink elsewhere, the Win32 file calls on
// Windows). A failed call leaves its cause for SystemErrorCode (system_error.h).
#pragma once

#include <cstdint>

/// Renames the file or folder `from` to `to` on the same volume, never replacing what is at `to`.
bool MovePath(const char* from, const char* to);

/// Makes the folder `path` unless it exists; true when it exists afterwards.
bool MakeFolderIfMissing(const char* path);

/// Removes the empty folder `path`.
bool RemoveEmptyFolder(const char* path);

/// Deletes the file `path`, read-only or not.
bool RemoveFileAnyway(const char* path);

/// True when `path` names an existing file (not a folder).
bool IsExistingFile(const char* path);

/// True when `path` names an existing file that is marked read-only.
bool IsReadOnlyFile(const char* path);
