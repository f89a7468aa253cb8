// The TLS side of CSocketConn, on the run-time loaded OpenSSL table: the handshake bounded in time,
// reads and writes on the non-blocking socket, and the shut-down.
//
// OpenSSL reports why a call stopped through a per-thread error queue; SSL_get_error reads it and
// is only reliable when the queue was empty before the call, so every call that SSL_get_error may
// judge is preceded by ERR_clear_error.
#include <algorithm>
#include <climits>

#include "maintenance/socket_conn.h"

namespace maintenance {
namespace {

// Longest wait between handshake tries: the cancel flag is polled at least this often.
constexpr int kHandshakeWaitMs = 100;
// Longest wait while a TLS read or write waits for the socket.
constexpr int kTlsWaitMs = 1;

bool WantsSocket(int error) { return error == tls::kErrorWantRead || error == tls::kErrorWantWrite; }

// A dotted IPv4 address: the one kind of host the server must not be sent as a name (SNI carries
// DNS names only).
bool IsAddressLiteral(const char* host) {
  for (const char* c = host; *c != '\0'; ++c) {
    if ((*c < '0' || *c > '9') && *c != '.') return false;
  }
  return true;
}

}  // namespace

bool CSocketConn::LimitVersions(int mode) {
  long lowest = tls::kTls12Version;
  long highest = 0;  // 0: the newest the library offers
  if (mode == kTlsSsl3) lowest = highest = tls::kSsl3Version;
  if (mode == kTls10) lowest = highest = tls::kTls1Version;
  if (mode == kTls11) lowest = highest = tls::kTls11Version;
  // The old versions sign their handshakes with SHA-1 and MD5, which the library's default security
  // level refuses; a caller that asks for them accepts that.
  if (highest != 0 && tls_->SSL_CTX_set_security_level != nullptr) {
    tls_->SSL_CTX_set_security_level(tlsContext_, 0);
  }
  return tls_->SSL_CTX_ctrl(tlsContext_, tls::kCtrlSetMinProtoVersion, lowest, nullptr) == 1 &&
         tls_->SSL_CTX_ctrl(tlsContext_, tls::kCtrlSetMaxProtoVersion, highest, nullptr) == 1;
}

SocketResult CSocketConn::StartTls(int mode, const char* serverName) {
  EndTls();
  tls_ = GetTlsLibrary();
  // OpenSSL takes the socket as an int; a Win64 SOCKET is pointer-sized but its values are small.
  if (tls_ == nullptr || socket_ < 0 || socket_ > INT_MAX) return SocketResult::TlsFailed;
  tls_->ERR_clear_error();
  tlsContext_ = tls_->SSL_CTX_new(tls_->TLS_client_method());
  if (tlsContext_ != nullptr && LimitVersions(mode)) tlsSession_ = tls_->SSL_new(tlsContext_);
  bool ready = tlsSession_ != nullptr && tls_->SSL_set_fd(tlsSession_, static_cast<int>(socket_)) == 1;
  if (ready && serverName != nullptr && serverName[0] != '\0' && !IsAddressLiteral(serverName)) {
    ready = tls_->SSL_ctrl(tlsSession_, tls::kCtrlSetServerName, tls::kServerNameTypeHost,
                           const_cast<char*>(serverName)) == 1;
  }
  if (!ready) {
    EndTls();
    return SocketResult::TlsFailed;
  }
  return Handshake(mode);
}

SocketResult CSocketConn::Handshake(int mode) {
  const SocketCalls& calls = ActiveSocketCalls();
  const Clock::time_point end = std::min(deadline_, Clock::now() + kHandshakeTime);
  for (;;) {
    if (IsCancelled()) {
      EndTls();
      return SocketResult::Cancelled;
    }
    tls_->ERR_clear_error();
    const int result = tls_->SSL_connect(tlsSession_);
    if (result == 1) {
      tlsMode_ = mode;
      return SocketResult::Ok;
    }
    const int error = tls_->SSL_get_error(tlsSession_, result);
    if (!WantsSocket(error) || Clock::now() >= end) break;
    // A non-blocking handshake stops whenever the socket has nothing to read or no room to write;
    // either way it goes on once the socket is ready, or after the longest wait.
    if (error == tls::kErrorWantRead) {
      (void)calls.waitReadable(socket_, kHandshakeWaitMs);
    } else {
      (void)calls.waitWritable(socket_, kHandshakeWaitMs);
    }
  }
  EndTls();
  return SocketResult::TlsFailed;
}

void CSocketConn::EndTls() {
  if (tlsSession_ != nullptr) {
    tls_->ERR_clear_error();
    (void)tls_->SSL_shutdown(tlsSession_);
    tls_->SSL_free(tlsSession_);
  }
  if (tlsContext_ != nullptr) tls_->SSL_CTX_free(tlsContext_);
  if (tls_ != nullptr) tls_->ERR_clear_error();
  tlsSession_ = nullptr;
  tlsContext_ = nullptr;
  tlsMode_ = kTlsNone;
}

SocketResult CSocketConn::WriteTls(const uint8_t* bytes, int size, int* sent) {
  tls_->ERR_clear_error();
  const int written = tls_->SSL_write(tlsSession_, bytes, size);
  if (written > 0) {
    *sent = written;
    return SocketResult::Ok;
  }
  if (!WantsSocket(tls_->SSL_get_error(tlsSession_, written))) return SocketResult::SendIncomplete;
  (void)ActiveSocketCalls().waitWritable(socket_, kTlsWaitMs);
  return SocketResult::Ok;
}

int CSocketConn::ReceiveTls(uint8_t* buffer, int maximum) {
  const Clock::time_point start = Clock::now();
  for (;;) {
    tls_->ERR_clear_error();
    const int got = tls_->SSL_read(tlsSession_, pending_, kPieceSize);
    if (got > 0) {
      pendingCount_ = got;
      return HandOut(buffer, maximum);
    }
    // Anything but a wait is the end: a clean close, or (OpenSSL 3) a peer that closed without
    // saying so, which the library reports as an error.
    if (!WantsSocket(tls_->SSL_get_error(tlsSession_, got))) return -1;
    if (HasRunOut(start)) return -2;
    if (IsCancelled()) return -1;
    (void)ActiveSocketCalls().waitReadable(socket_, kTlsWaitMs);
  }
}

}  // namespace maintenance
