// The TLS library's modules on Windows: OpenSSL 3's DLLs, shipped beside the program and loaded
// from the program's own folder by full path, never by a bare name that the search path could
// answer with a planted copy.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "maintenance/tls_modules.h"

namespace maintenance {
namespace {

// The names OpenSSL 3 gives its DLLs for each architecture.
#ifdef _WIN64
constexpr char kSslName[] = "libssl-3-x64.dll";
constexpr char kCryptoName[] = "libcrypto-3-x64.dll";
#else
constexpr char kSslName[] = "libssl-3.dll";
constexpr char kCryptoName[] = "libcrypto-3.dll";
#endif

HMODULE gSsl = nullptr;
HMODULE gCrypto = nullptr;

HMODULE LoadBesideProgram(const char* name) {
  char path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return nullptr;
  char* lastSlash = std::strrchr(path, '\\');
  if (lastSlash == nullptr) return nullptr;
  const size_t folderLength = static_cast<size_t>(lastSlash - path) + 1;
  if (folderLength + std::strlen(name) >= sizeof path) return nullptr;
  std::memcpy(path + folderLength, name, std::strlen(name) + 1);
  // With a full path, LOAD_WITH_ALTERED_SEARCH_PATH makes libssl's own import of libcrypto look
  // in that folder first too.
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

bool LoadTlsModules() {
  gCrypto = LoadBesideProgram(kCryptoName);
  gSsl = gCrypto != nullptr ? LoadBesideProgram(kSslName) : nullptr;
  return gSsl != nullptr;
}

void* FindTlsFunction(const char* name) {
  FARPROC found = gSsl != nullptr ? GetProcAddress(gSsl, name) : nullptr;
  if (found == nullptr && gCrypto != nullptr) found = GetProcAddress(gCrypto, name);
  return reinterpret_cast<void*>(found);
}

}  // namespace maintenance
