// Opening a compiled HTML help file with the viewer Windows associates with it, through shell
// calls that tests replace. CZrfApp::OpenHelp (zrf_app_shell_win.cpp) shows the outcome's message.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/base/path_backslash.h"

/// The two shell calls of opening help, replaceable by tests.
struct HelpShellCalls {
  HINSTANCE(WINAPI* findExecutable)(LPCSTR file, LPCSTR folder, LPSTR result);
  HINSTANCE(WINAPI* shellExecute)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                  INT showCommand);
};

/// FindExecutableA and ShellExecuteA.
[[nodiscard]] const HelpShellCalls& SystemHelpShellCalls();

/// What opening a help file came to, and what the user is to be told.
struct HelpOutcome {
  int32_t result;        ///< kHelpOpened .. kHelpNotStarted
  int32_t messagePiece;  ///< piece of framework text 0xF007 to show, -1 for none
  char messageName[kPathCapacity];  ///< the name the message shows
};

/// Opens file at topic: a name without ".chm" gives kHelpNotHelpFile at once; a name that does not
/// exist as given is taken from installFolder; the path is shortened, its viewer found and started
/// with HelpParameters. No viewer associated: kHelpNoViewer (piece 0, the name as given); the file
/// missing: kHelpMissing (piece 1, the path); any other failure of finding or starting the viewer,
/// or parameters that do not fit: kHelpNotStarted (piece 0, the name as given).
[[nodiscard]] HelpOutcome OpenHelpFile(const char* file, const char* topic, const char* installFolder,
                                       const HelpShellCalls& calls);
