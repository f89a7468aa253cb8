// CZrfApp::RequestRestart: the restart asked for at run time (after a restored configuration, a
// new interface font), which the shutdown carries out at exit. Below the framework windows, whose
// window menu asks for it.
#include <windows.h>

#include "framework/app/restart_mode.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/text_copy.h"
#include "framework/shell/process_elevation_win.h"

void CZrfApp::RequestRestart(int32_t mode, const char* commandLineText, uint8_t notify) {
  restartMode = ResolveRestartMode(mode, mode == kRestartAsNow ? IsProcessElevated(osCode) : 0);
  // The field is as long as the command line, so the program's own line is never cut.
  CopyCut(restartCommandLine, commandLineText != nullptr ? commandLineText : commandLine);
  PostQuitMessage(0);
  notifySiblings = notify;
}
