// The desktop's icon list view as every process finds it and tells it from other windows. The
// block's `listView` is only a copy that anybody may have overwritten: a window taken from it is
// used only when it is the desktop's list view, and the desktop's process subclasses only the one
// its own search finds.
#pragma once

#include <windows.h>

#include "hooklib/shared_block.h"

namespace ostrel {

/// True when `window` is a desktop icon list view: a "SysListView32" whose parent is a
/// "SHELLDLL_DefView" inside a top-level "Progman" or "WorkerW".
[[nodiscard]] bool IsDesktopListView(HWND window);

/// Searches the desktop icon list view: below "Progman", else in a "WorkerW" >
/// "SHELLDLL_DefView" > "SysListView32" titled "FolderView". Only a window that
/// IsDesktopListView is returned; null when there is none. Writes nothing.
[[nodiscard]] HWND SearchDesktopListView();

/// The list view that `block` names when it is the desktop's, else the one this process last
/// found so while it exists, else the one a search finds; null when there is none. A handle is
/// checked once while it exists. Writes nothing. Any thread.
[[nodiscard]] HWND CheckedListView(const OstrelSharedMem& block);

}  // namespace ostrel
