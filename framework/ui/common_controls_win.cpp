// Whether the common-controls library is new enough.
#include "framework/ui/common_controls_win.h"

#include <shlwapi.h>
#include <windows.h>

#include <cstdint>

bool IsModernCommonControls() {
  HMODULE library = LoadLibraryA("comctl32.dll");
  if (library == nullptr) return false;
  FARPROC proc = GetProcAddress(library, "DllGetVersion");
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(proc));
  bool modern = false;
  if (getVersion != nullptr) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (SUCCEEDED(getVersion(&info)))
      modern = (uint64_t(info.dwMajorVersion) << 16) + info.dwMinorVersion > 0x00040046u;
  }
  FreeLibrary(library);
  return modern;
}
