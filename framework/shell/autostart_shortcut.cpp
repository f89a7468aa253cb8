// Shortcut texts; see autostart_shortcut.h.
#include "framework/shell/autostart_shortcut.h"

#include <cstdio>
#include <cstring>

#include "framework/files/data_file.h"

std::string AutostartArguments(const char* extra) {
  return std::string("-WAITFORDATAPATH -AUTOSTART ") + (extra != nullptr ? extra : "");
}

bool AutostartTarget(char (&path)[kPathCapacity], const char* installFolder, const char* productName) {
  return BuildFolderFilePath(path, installFolder, productName, "exe");
}

bool ShortcutPath(char (&path)[kPathCapacity], const char* startupFolder, const char* name) {
  path[0] = '\0';
  if (startupFolder == nullptr || name == nullptr || *startupFolder == '\0' || *name == '\0' ||
      std::strpbrk(name, "\\/:") != nullptr) {
    return false;
  }
  const int written = std::snprintf(path, sizeof path, "%s%s.lnk", startupFolder, name);
  if (written < 0 || static_cast<size_t>(written) >= sizeof path) {
    path[0] = '\0';
    return false;
  }
  return true;
}
