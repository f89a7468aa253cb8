// Random bytes on POSIX systems: getrandom(2).
#include "zip/zip_random.h"

#include <sys/random.h>

#include <cerrno>

namespace zip {

bool FillRandom(uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = getrandom(bytes + done, size - done, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace zip
