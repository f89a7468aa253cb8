// UTF-8 well-formedness by lead bytes.
#include "framework/base/utf8_check.h"

namespace {

// Number of continuation bytes a lead byte announces; -1 for a byte that cannot lead.
int ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if ((lead & 0xF8) == 0xF0) return 3;
  return -1;
}

}  // namespace

bool IsValidUtf8(const char* text) {
  if (text == nullptr) return true;
  const auto* at = reinterpret_cast<const unsigned char*>(text);
  while (*at != 0) {
    int following = ContinuationCount(*at++);
    if (following < 0) return false;
    // A terminator fails the 10xxxxxx test, so the loop never reads past it.
    for (; following > 0; --following) {
      if ((*at++ & 0xC0) != 0x80) return false;
    }
  }
  return true;
}
