// Test support: finding a top-level window of another process, for tests that drive programs they
// started (their main window, a message box, a dialog).
#pragma once

#include <windows.h>

#include <cstring>
#include <functional>
#include <utility>

namespace process_window {

struct Search {
  DWORD pid;
  const char* className;
  const char* title;
  std::function<bool(HWND)> accept;
  HWND found;
};

inline BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = "";
  char text[256] = "";
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, text, sizeof text);
  if (owner != search->pid || lstrcmpiA(name, search->className) != 0) return TRUE;
  if (search->title != nullptr && std::strcmp(text, search->title) != 0) return TRUE;
  if (search->accept && !search->accept(window)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace process_window

/// The top-level window of `className` (and `title`, when given, and that `accept` takes, when
/// given) that belongs to process `pid`, or null.
inline HWND FindProcessWindow(DWORD pid, const char* className, const char* title,
                              std::function<bool(HWND)> accept = {}) {
  process_window::Search search{pid, className, title, std::move(accept), nullptr};
  EnumWindows(process_window::Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
