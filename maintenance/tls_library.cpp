// Resolution of the TLS library's table, once per process.
#include "maintenance/tls_library.h"

#include "maintenance/tls_modules.h"

namespace maintenance {
namespace {

const TlsLibrary* gTestLibrary = nullptr;

template <typename Function>
bool Find(void* (*find)(const char*), const char* name, Function* slot) {
  *slot = reinterpret_cast<Function>(find(name));
  return *slot != nullptr;
}

const TlsLibrary* LoadOnce() {
  static TlsLibrary library;
  if (!LoadTlsModules() || !ResolveTlsLibrary(FindTlsFunction, &library)) return nullptr;
  // OpenSSL 3 starts itself on first use too; starting it here, once, keeps that first use off
  // the handshake's clock and out of any race between threads.
  if (library.OPENSSL_init_ssl(tls::kInitLoadStrings, nullptr) != 1) return nullptr;
  return &library;
}

}  // namespace

bool ResolveTlsLibrary(void* (*find)(const char* name), TlsLibrary* library) {
  TlsLibrary table{};
  bool ok = Find(find, "OPENSSL_init_ssl", &table.OPENSSL_init_ssl);
  ok = Find(find, "TLS_client_method", &table.TLS_client_method) && ok;
  ok = Find(find, "SSL_CTX_new", &table.SSL_CTX_new) && ok;
  ok = Find(find, "SSL_CTX_free", &table.SSL_CTX_free) && ok;
  ok = Find(find, "SSL_CTX_ctrl", &table.SSL_CTX_ctrl) && ok;
  ok = Find(find, "SSL_new", &table.SSL_new) && ok;
  ok = Find(find, "SSL_free", &table.SSL_free) && ok;
  ok = Find(find, "SSL_set_fd", &table.SSL_set_fd) && ok;
  ok = Find(find, "SSL_ctrl", &table.SSL_ctrl) && ok;
  ok = Find(find, "SSL_connect", &table.SSL_connect) && ok;
  ok = Find(find, "SSL_read", &table.SSL_read) && ok;
  ok = Find(find, "SSL_write", &table.SSL_write) && ok;
  ok = Find(find, "SSL_get_error", &table.SSL_get_error) && ok;
  ok = Find(find, "SSL_shutdown", &table.SSL_shutdown) && ok;
  ok = Find(find, "ERR_clear_error", &table.ERR_clear_error) && ok;
  (void)Find(find, "SSL_CTX_set_security_level", &table.SSL_CTX_set_security_level);
  if (!ok) return false;
  *library = table;
  return true;
}

const TlsLibrary* GetTlsLibrary() {
  if (gTestLibrary != nullptr) return gTestLibrary;
  static const TlsLibrary* const kLoaded = LoadOnce();
  return kLoaded;
}

void SetTlsLibraryForTesting(const TlsLibrary* library) { gTestLibrary = library; }

}  // namespace maintenance
