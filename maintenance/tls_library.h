// The TLS library (OpenSSL 3: libssl and libcrypto), loaded at run time and reached through one
// table of typed function pointers, resolved once per process. A missing library or function is a
// TLS failure of the connection that wanted it, never a failed start of the program.
#pragma once

#include <cstdint>

// OpenSSL's own opaque types, under their own tags: the table's types are then exactly those of
// OpenSSL's headers, which the native build checks at compile time.
struct ssl_st;
struct ssl_ctx_st;
struct ssl_method_st;
struct ossl_init_settings_st;

namespace maintenance {

/// The OpenSSL functions the connection uses, under their export names. Version limits and the
/// server name are set through the two ctrl calls, since their named forms are macros.
struct TlsLibrary {
  int (*OPENSSL_init_ssl)(uint64_t options, const ossl_init_settings_st* settings);
  const ssl_method_st* (*TLS_client_method)();
  ssl_ctx_st* (*SSL_CTX_new)(const ssl_method_st* method);
  void (*SSL_CTX_free)(ssl_ctx_st* context);
  long (*SSL_CTX_ctrl)(ssl_ctx_st* context, int command, long number, void* argument);
  void (*SSL_CTX_set_security_level)(ssl_ctx_st* context, int level);
  ssl_st* (*SSL_new)(ssl_ctx_st* context);
  void (*SSL_free)(ssl_st* session);
  int (*SSL_set_fd)(ssl_st* session, int descriptor);
  long (*SSL_ctrl)(ssl_st* session, int command, long number, void* argument);
  int (*SSL_connect)(ssl_st* session);
  int (*SSL_read)(ssl_st* session, void* buffer, int size);
  int (*SSL_write)(ssl_st* session, const void* bytes, int size);
  int (*SSL_get_error)(const ssl_st* session, int result);
  int (*SSL_shutdown)(ssl_st* session);
  void (*ERR_clear_error)();
};

/// OpenSSL's constants that the connection uses (stable across 1.1 and 3.x).
namespace tls {
constexpr int kCtrlSetMinProtoVersion = 123;  // SSL_CTRL_SET_MIN_PROTO_VERSION
constexpr int kCtrlSetMaxProtoVersion = 124;  // SSL_CTRL_SET_MAX_PROTO_VERSION
constexpr int kCtrlSetServerName = 55;        // SSL_CTRL_SET_TLSEXT_HOSTNAME
constexpr long kServerNameTypeHost = 0;       // TLSEXT_NAMETYPE_host_name
constexpr long kSsl3Version = 0x0300;
constexpr long kTls1Version = 0x0301;
constexpr long kTls11Version = 0x0302;
constexpr long kTls12Version = 0x0303;
constexpr int kErrorWantRead = 2;                                 // SSL_ERROR_WANT_READ
constexpr int kErrorWantWrite = 3;                                // SSL_ERROR_WANT_WRITE
constexpr uint64_t kInitLoadStrings = 0x00200000L | 0x00000002L;  // SSL and crypto error strings
}  // namespace tls

/// The process's TLS library, loaded and resolved on first use (thread-safe); null when a library
/// or one of the functions is missing. The table stays valid for the life of the process.
const TlsLibrary* GetTlsLibrary();

/// Replaces what GetTlsLibrary returns (null restores the loaded library). Tests only.
void SetTlsLibraryForTesting(const TlsLibrary* library);

/// Fills a table from a lookup of exported names; false when any function is missing.
/// SSL_CTX_set_security_level may be missing (older libraries): it is then left null.
bool ResolveTlsLibrary(void* (*find)(const char* name), TlsLibrary* library);

}  // namespace maintenance
