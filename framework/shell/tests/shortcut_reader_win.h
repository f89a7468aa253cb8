// Test support: the target, arguments and icon of a shell link, read back through IShellLinkA.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "framework/files/folders_win.h"
#include "framework/base/scoped_handles_win.h"

struct ShortcutContents {
  std::string target;  ///< empty when the link could not be read
  std::string arguments;
  std::string icon;
};

/// "<Startup folder>\<name>.lnk".
inline std::string StartupShortcutFile(const std::string& name) {
  char folder[MAX_PATH];
  GetSpecialFolderPath(CSIDL_STARTUP | CSIDL_FLAG_CREATE, folder);
  return std::string(folder) + "\\" + name + ".lnk";
}

inline ShortcutContents ReadShortcut(const std::string& file) {
  ShortcutContents contents;
  ScopedComPtr<IShellLinkA> link;
  ScopedComPtr<IPersistFile> persist;
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) || FAILED(persist->Load(wide, STGM_READ))) {
    return contents;
  }
  char text[MAX_PATH] = {};
  link->GetPath(text, MAX_PATH, nullptr, 0);
  contents.target = text;
  link->GetArguments(text, MAX_PATH);
  contents.arguments = text;
  int index = -1;
  link->GetIconLocation(text, MAX_PATH, &index);
  contents.icon = text;
  return contents;
}
