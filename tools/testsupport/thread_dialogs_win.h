// Test support: finding the dialogs a test's own thread has open, so a timer can drive them.
#pragma once

#include <windows.h>

#include <string>

struct ThreadDialogSearch {
  const char* caption;
  HWND found;
};

inline BOOL CALLBACK FindThreadDialogProc(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ThreadDialogSearch*>(param);
  char title[256] = {};
  char className[32] = {};
  GetWindowTextA(window, title, sizeof title);
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && std::string(title) == search->caption &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

/// The visible dialog (class "#32770") of the calling thread titled `caption`, or null.
inline HWND FindThreadDialog(const char* caption) {
  ThreadDialogSearch search{caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindThreadDialogProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
