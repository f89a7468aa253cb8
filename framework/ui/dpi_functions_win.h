// The DPI functions of newer Windows versions, looked up at run time, and the DPI queries that
// fall back to older calls when a function is missing.
#pragma once

#include <windows.h>

/// Typed pointers to the run-time DPI functions; null when the system lacks one.
struct DpiFunctions {
  BOOL(WINAPI* setProcessDpiAwarenessContext)(DPI_AWARENESS_CONTEXT);
  DPI_AWARENESS_CONTEXT(WINAPI* setThreadDpiAwarenessContext)(DPI_AWARENESS_CONTEXT);
  DPI_AWARENESS_CONTEXT(WINAPI* getWindowDpiAwarenessContext)(HWND);
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
  UINT(WINAPI* getDpiForWindow)(HWND);
  HRESULT(WINAPI* setProcessDpiAwareness)(int);                    ///< SHCore
  HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*);  ///< SHCore
};

/// The process-wide table; all null until ResolveDpiFunctions runs.
extern DpiFunctions gDpiFunctions;

/// Looks the functions up in the already loaded "User32" and, only when it is already loaded,
/// "SHCore". Called once by the start-up, before any other thread exists.
void ResolveDpiFunctions();

/// AdjustWindowRectExForDpi when available, else AdjustWindowRectEx without the DPI.
BOOL AdjustWindowRectDpi(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle, UINT dpi);

/// Effective DPI of `monitor`, or of the monitor nearest `rect` when `monitor` is null; without
/// GetDpiForMonitor, LOGPIXELSX of the window at the rectangle's centre; 96 when all fail.
int DpiForRect(const RECT& rect, HMONITOR monitor);

/// GetDpiForWindow when available; else the effective DPI of the window's monitor; else
/// LOGPIXELSX of its DC; 96 when all fail.
int DpiForWindow(HWND window);
