// The Startup-folder shortcut through IShellLinkA; the texts come from autostart_shortcut.cpp.
#include "framework/shell/autostart_shortcut_win.h"

#include <windows.h>
// After windows.h, which they need.
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "framework/files/folders_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/shell/autostart_shortcut.h"
#include "framework/base/zrf_results.h"

namespace {

int32_t WriteLink(const char* link, const char* target, const std::string& arguments, const char* iconLocation) {
  ScopedComPtr<IShellLinkA> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              shellLink.ReceiveVoid())) ||
      FAILED(shellLink->SetPath(target)) || FAILED(shellLink->SetArguments(arguments.c_str())) ||
      FAILED(shellLink->SetIconLocation(iconLocation != nullptr ? iconLocation : target, 0))) {
    return ZRF_ERR_SHORTCUT;
  }
  ScopedComPtr<IPersistFile> file;
  wchar_t wideLink[MAX_PATH];
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
      MultiByteToWideChar(CP_ACP, 0, link, -1, wideLink, MAX_PATH) == 0 || FAILED(file->Save(wideLink, TRUE))) {
    return ZRF_ERR_SHORTCUT;
  }
  return ZRF_OK;
}

}  // namespace

int32_t SetStartupShortcut(bool enabled, const char* extra, bool keepExisting, const char* iconLocation,
                           const char* name, const char* target) {
  char folder[MAX_PATH];
  GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, folder);
  AddTrailingBackslash(folder);
  char link[kPathCapacity];
  if (folder[0] == '\0' || !ShortcutPath(link, folder, name)) {
    return ZRF_ERR_SHORTCUT;
  }
  if (!enabled) {
    if (DeleteFileA(link)) {
      return ZRF_OK;
    }
    // Only an absent shortcut is success: one that stays would still start the program.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ZRF_OK : ZRF_ERR_SHORTCUT;
  }
  if (keepExisting && GetFileAttributesA(link) != INVALID_FILE_ATTRIBUTES) {
    return ZRF_OK;
  }
  if (target == nullptr || *target == '\0') {
    return ZRF_ERR_SHORTCUT;
  }
  return WriteLink(link, target, AutostartArguments(extra), iconLocation);
}
