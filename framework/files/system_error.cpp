// Error codes and texts on POSIX systems.
#include "framework/files/system_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

uint32_t SystemErrorCode() { return static_cast<uint32_t>(errno); }

uint32_t AccessDeniedCode() { return EACCES; }

void SystemErrorText(uint32_t code, char* text, size_t size) {
  std::snprintf(text, size, "%s", code != 0 ? std::strerror(static_cast<int>(code)) : "");
}
