// The Startup-folder shortcut as a shell link. CZrfApp::SetAutostart (zrf_app_shell_win.cpp) calls
// it with the program's own target.
#pragma once

#include <cstdint>

/// Creates, keeps or deletes "<Startup folder><name>.lnk" (the user's Startup folder, created
/// when missing). Disabled: deletes it; a missing shortcut is no error. Enabled with keepExisting
/// and a shortcut present: leaves it untouched. Otherwise writes a link to target with the
/// arguments AutostartArguments(extra) and the icon of iconLocation (null: the target's), index 0.
/// 0, or ZRF_ERR_SHORTCUT when the folder cannot be found, a path does not fit, the name is not a
/// plain file name, an existing shortcut cannot be deleted, or the shell cannot write the link.
/// Requires: COM initialised on the calling thread.
[[nodiscard]] int32_t SetStartupShortcut(bool enabled, const char* extra, bool keepExisting, const char* iconLocation,
                                         const char* name, const char* target);
