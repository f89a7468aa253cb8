// The texts of the Startup-folder shortcut that starts the program at logon: its arguments, its
// target and its own path. Platform-free; autostart_shortcut_win.cpp makes and deletes the link.
#pragma once

#include <cstddef>
#include <string>

#include "framework/base/path_backslash.h"

/// The arguments of the shortcut: "-WAITFORDATAPATH -AUTOSTART " followed by extra (nothing for
/// null), so that the program started at logon waits for its data folder.
[[nodiscard]] std::string AutostartArguments(const char* extra);

/// "<install folder>\<product name>.exe" into path. False, with path emptied, when it does not fit
/// kPathCapacity characters or a part is missing.
[[nodiscard]] bool AutostartTarget(char (&path)[kPathCapacity], const char* installFolder, const char* productName);

/// "<startup folder><name>.lnk" into path, the folder ending in "\". False, with path emptied,
/// when it does not fit kPathCapacity characters, a part is missing or empty, or the name holds a
/// path separator or ':' (it would name a file outside the folder).
[[nodiscard]] bool ShortcutPath(char (&path)[kPathCapacity], const char* startupFolder, const char* name);
