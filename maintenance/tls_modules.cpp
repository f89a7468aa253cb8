// The TLS library's modules on Linux: the distribution's OpenSSL 3, opened with dlopen so that
// native tests run the same loading path as the Windows program. Compiling against OpenSSL's own
// headers here checks that every pointer type of the table matches the real function.
#include "maintenance/tls_modules.h"

#include <dlfcn.h>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <type_traits>

#include "maintenance/tls_library.h"

namespace maintenance {
namespace {

// Each slot of the table has exactly the type of the function it holds.
static_assert(std::is_same_v<decltype(TlsLibrary::OPENSSL_init_ssl), decltype(&::OPENSSL_init_ssl)>);
static_assert(std::is_same_v<decltype(TlsLibrary::TLS_client_method), decltype(&::TLS_client_method)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_CTX_new), decltype(&::SSL_CTX_new)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_CTX_free), decltype(&::SSL_CTX_free)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_CTX_ctrl), decltype(&::SSL_CTX_ctrl)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_CTX_set_security_level),
                             decltype(&::SSL_CTX_set_security_level)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_new), decltype(&::SSL_new)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_free), decltype(&::SSL_free)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_set_fd), decltype(&::SSL_set_fd)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_ctrl), decltype(&::SSL_ctrl)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_connect), decltype(&::SSL_connect)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_read), decltype(&::SSL_read)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_write), decltype(&::SSL_write)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_get_error), decltype(&::SSL_get_error)>);
static_assert(std::is_same_v<decltype(TlsLibrary::SSL_shutdown), decltype(&::SSL_shutdown)>);
static_assert(std::is_same_v<decltype(TlsLibrary::ERR_clear_error), decltype(&::ERR_clear_error)>);

static_assert(tls::kCtrlSetMinProtoVersion == SSL_CTRL_SET_MIN_PROTO_VERSION);
static_assert(tls::kCtrlSetMaxProtoVersion == SSL_CTRL_SET_MAX_PROTO_VERSION);
static_assert(tls::kCtrlSetServerName == SSL_CTRL_SET_TLSEXT_HOSTNAME);
static_assert(tls::kServerNameTypeHost == TLSEXT_NAMETYPE_host_name);
static_assert(tls::kSsl3Version == SSL3_VERSION && tls::kTls1Version == TLS1_VERSION);
static_assert(tls::kTls11Version == TLS1_1_VERSION && tls::kTls12Version == TLS1_2_VERSION);
static_assert(tls::kErrorWantRead == SSL_ERROR_WANT_READ && tls::kErrorWantWrite == SSL_ERROR_WANT_WRITE);
static_assert(tls::kInitLoadStrings == (OPENSSL_INIT_LOAD_SSL_STRINGS | OPENSSL_INIT_LOAD_CRYPTO_STRINGS));

void* gSsl = nullptr;
void* gCrypto = nullptr;

}  // namespace

bool LoadTlsModules() {
  gCrypto = dlopen("libcrypto.so.3", RTLD_NOW | RTLD_LOCAL);
  gSsl = dlopen("libssl.so.3", RTLD_NOW | RTLD_LOCAL);
  return gCrypto != nullptr && gSsl != nullptr;
}

void* FindTlsFunction(const char* name) {
  void* found = gSsl != nullptr ? dlsym(gSsl, name) : nullptr;
  if (found == nullptr && gCrypto != nullptr) found = dlsym(gCrypto, name);
  return found;
}

}  // namespace maintenance
