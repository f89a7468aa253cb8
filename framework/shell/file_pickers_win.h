// The common dialogs that let the user choose a file or a folder.
#pragma once

#include <windows.h>

#include <cstdint>

/// Shows the common save (`save`) or open dialog, owned by the active window. `filter` is pairs
/// of description and pattern, each NUL-terminated, ending in an empty string; `filterIndex` is
/// 0-based. `chosenFilter` (may be null) receives the chosen filter's 0-based index; `folder`
/// (260 characters, may be null) gives the initial folder and receives the chosen file's folder
/// with its trailing "\"; `initialName` (may be null) is the name the dialog starts with.
/// Returns the full path in a process-wide 260-character buffer (GUI thread only), or null when
/// the user cancelled or the dialog failed. An invalid initial name is dropped and the dialog
/// shown once more.
const char* PickFileName(bool save, const char* filter, int32_t filterIndex, int32_t* chosenFilter,
                         char* folder, const char* initialName);

constexpr int32_t kFolderPicked = 1;
constexpr int32_t kFolderNotPicked = 2;

/// Shows the shell's folder picker titled `title`, starting in the folder in `path` (260
/// characters; may be empty); with `fileSystemOnly` only file-system folders can be chosen.
/// kFolderPicked with the folder written to `path`, else kFolderNotPicked with `path` unchanged.
int32_t PickFolder(const char* title, char* path, bool fileSystemOnly);
