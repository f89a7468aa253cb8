// Removing the plants' autostart shortcuts; see autostart_cleanup_win.h.
#include "installer/autostart_cleanup_win.h"

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <string>

#include "app/plant_autostart.h"
#include "installer/install_record_builder.h"

namespace installer {

int32_t RemoveAutostartShortcuts() {
  char folder[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder))) return 0;
  const std::string prefix = std::string(folder) + "\\";
  const std::string pattern = prefix + plantapp::AutostartShortcutName(kProductName, "*") + ".lnk";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int32_t deleted = 0;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string path = prefix + found.cFileName;
    if (DeleteFileA(path.c_str()))
      ++deleted;
    else
      std::fprintf(stderr, "VerdeloSetup: DeleteFileA of %s failed: %lu\n", path.c_str(), GetLastError());
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return deleted;
}

}  // namespace installer
