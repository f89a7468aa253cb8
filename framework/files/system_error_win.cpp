// Error codes and texts on Windows.
#include <windows.h>

#include "framework/files/system_error.h"

uint32_t SystemErrorCode() { return GetLastError(); }

uint32_t AccessDeniedCode() { return ERROR_ACCESS_DENIED; }

void SystemErrorText(uint32_t code, char* text, size_t size) {
  if (size == 0) return;
  text[0] = '\0';
  if (code == 0) return;
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      code, 0, text, static_cast<DWORD>(size), nullptr);
  // The system's texts end in a line break, which would leave an empty line in a message box.
  for (DWORD end = length;
       end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r' || text[end - 1] == ' ');)
    text[--end] = '\0';
}
