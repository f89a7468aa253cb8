// Opening a document, program or web address through the running desktop shell.
#pragma once

#include <windows.h>

/// Starts `file` (a document, program or address) with `parameters`, `folder` and `verb` (each may
/// be null) through the running desktop shell, so it runs in the shell's context (not elevated
/// even when the caller is); when that route fails, through ShellExecuteA. Returns S_OK when
/// either route started it, else the failure; E_INVALIDARG for a null or empty file, which would
/// open an arbitrary folder.
HRESULT ShellOpen(const char* file, const char* parameters, const char* folder, const char* verb,
                  int showCommand);
