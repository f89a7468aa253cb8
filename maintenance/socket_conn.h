// CSocketConn: one outgoing TCP connection, optionally wrapped in TLS, with every wait bounded: the
// connect by a number of seconds, each later send or receive by an idle time-out, and all of them
// by a cancel flag that another thread may raise. Received data passes through a fixed pending
// buffer of one piece (1500 bytes); the only allocation is the caller's growing buffer.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "framework/base/zrf_array.h"
#include "maintenance/socket_calls.h"
#include "maintenance/socket_result.h"
#include "maintenance/tls_library.h"

namespace maintenance {

/// TLS modes of Connect and StartTls: which protocol versions the handshake may use. Modes 1 to 3
/// pin one old version; 4 (and any other value above 0) allows TLS 1.2 and every newer version
/// the library offers.
constexpr int kTlsNone = 0;
constexpr int kTlsSsl3 = 1;
constexpr int kTls10 = 2;
constexpr int kTls11 = 3;
constexpr int kTls12 = 4;

class CSocketConn {
 public:
  using Clock = std::chrono::steady_clock;

  /// Largest piece moved by one send or receive, and the size of the pending buffer.
  static constexpr int kPieceSize = 1500;
  static constexpr uint32_t kDefaultIdleTimeoutMs = 20000;
  /// Longest TLS handshake. It is counted in time, not in wake-ups: a handshake that arrives in
  /// many small segments wakes the client once for each.
  static constexpr std::chrono::seconds kHandshakeTime{10};

  CSocketConn() = default;
  ~CSocketConn() { (void)Disconnect(); }
  CSocketConn(const CSocketConn&) = delete;
  CSocketConn& operator=(const CSocketConn&) = delete;

  /// Opens a TCP connection to host (a name or a dotted IPv4 address) and port, waiting in rounds
  /// of 100 ms, `seconds` × 10 of them. With a TLS mode above 0 it then starts TLS (StartTls),
  /// naming `host` to the server. Results: Ok (open), AlreadyConnected, SocketFailed,
  /// StartupFailed, UnknownHost, ConnectFailed (failed at once or refused), TimedOut (rounds used
  /// up, cancelled or past the deadline), or StartTls's failure; on any failure the connection is
  /// closed.
  SocketResult Connect(const char* host, uint16_t port, int tlsMode, int seconds);

  /// Ends TLS, shuts the socket down and closes it. NotConnected when not open; SocketFailed when
  /// the close failed (the connection is closed all the same).
  SocketResult Disconnect();

  bool IsConnected() const { return socket_ != kNoSocket; }

  /// Sends `length` bytes (0: the NUL-terminated text at data), in pieces of at most 1500 bytes,
  /// each given the idle time-out to get going. Ok, NotConnected, Cancelled, TimedOut (idle, or past
  /// the deadline), SocketFailed (a wait failed) or SendIncomplete (the peer stopped taking bytes).
  SocketResult Send(const void* data, size_t length);

  /// Hands out up to `maximum` received bytes, pending ones first. Returns the count (0 when
  /// nothing arrived within one short wait), -1 when the connection closed, failed or was
  /// cancelled, -2 when a TLS read idled past the time-out or the deadline passed.
  int Receive(uint8_t* buffer, int maximum);

  /// Receives into `buffer` (its count set to 0 first) until `terminator` has arrived (it stays in
  /// the buffer, and bytes after it are kept for the next receive), until `maximum` bytes are held
  /// (-1: no limit), or, without a terminator, until the peer closes. Ok; NotConnected; Cancelled;
  /// TimedOut when no byte came for the idle time-out, or at the deadline; Closed when the peer
  /// closed before any byte came; SocketFailed when the buffer could not grow. A close after some
  /// bytes is Ok, so callers that need the terminator check that it is there.
  SocketResult ReceiveUntil(CZrfArray<uint8_t>* buffer, const char* terminator, int32_t maximum);

  /// Waits up to waitMs for received data.
  Readiness WaitReadable(int waitMs);

  /// Starts TLS in `mode` on the open socket and shakes hands, naming serverName to the server
  /// (SNI) unless it is empty or a bare address; the server's certificate is not checked. The
  /// handshake may take kHandshakeTime, however its bytes come, and never runs past the deadline.
  /// Ok, Cancelled, or TlsFailed (no TLS library, or context, session or handshake failed, or the
  /// time ran out), after which no TLS state is left.
  SocketResult StartTls(int mode, const char* serverName);

  /// Shuts the TLS session down and frees it and its context; nothing when there is none.
  void EndTls();

  /// The caller's cancel flag (null: never cancelled). Polled at every round of every wait; it
  /// must outlive the connection's use.
  void SetCancelFlag(std::atomic<uint8_t>* flag) { cancel_ = flag; }
  void SetIdleTimeout(uint32_t milliseconds) { idleTimeoutMs_ = milliseconds; }
  /// The time by which every wait ends (kNoDeadline: none): past it, the connect, sends, receives
  /// and the handshake end as timed out. The idle time-out alone cannot bound an exchange with a
  /// peer that sends a byte now and then.
  void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
  static constexpr Clock::time_point kNoDeadline = Clock::time_point::max();

  /// The TLS mode whose handshake succeeded; 0 on a plain or closed connection.
  int tlsMode() const { return tlsMode_; }

 private:
  bool IsCancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed) != 0; }
  bool HasRunOut(Clock::time_point lastProgress) const;
  bool IsPastDeadline() const { return Clock::now() >= deadline_; }
  SocketResult CloseWith(SocketResult result);
  SocketResult WaitForConnect(int seconds);
  SocketResult SendPiece(const uint8_t* bytes, int size, int* sent);
  SocketResult WriteTls(const uint8_t* bytes, int size, int* sent);
  int ReceiveTls(uint8_t* buffer, int maximum);
  int HandOut(uint8_t* buffer, int maximum);
  void PushBack(const uint8_t* bytes, int count);
  bool LimitVersions(int mode);
  SocketResult Handshake(int mode);

  SocketHandle socket_ = kNoSocket;
  uint32_t idleTimeoutMs_ = kDefaultIdleTimeoutMs;
  Clock::time_point deadline_ = kNoDeadline;
  std::atomic<uint8_t>* cancel_ = nullptr;
  uint8_t pending_[kPieceSize] = {};
  int pendingCount_ = 0;
  int tlsMode_ = kTlsNone;
  const TlsLibrary* tls_ = nullptr;
  ssl_ctx_st* tlsContext_ = nullptr;
  ssl_st* tlsSession_ = nullptr;
};

}  // namespace maintenance
