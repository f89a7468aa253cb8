// Random bytes on Windows: the system-preferred generator of CNG.
#include "zip/zip_random.h"

#include <windows.h>

#include <bcrypt.h>

namespace zip {

bool FillRandom(uint8_t* bytes, size_t size) {
  if (size > 0xFFFFFFFFu) return false;
  NTSTATUS status = BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  return status >= 0;
}

}  // namespace zip
