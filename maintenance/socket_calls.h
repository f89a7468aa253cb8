// The socket calls under CSocketConn: a thin layer over the platform's TCP sockets (Winsock on
// Windows, POSIX sockets elsewhere), reached through a table that tests may replace with a scripted
// peer. Every call returns at once or after a bounded wait; none blocks.
#pragma once

#include <cstdint>

#include "maintenance/socket_result.h"

namespace maintenance {

/// A socket in a pointer-sized integer: a Winsock SOCKET on Windows, a descriptor elsewhere.
using SocketHandle = intptr_t;
constexpr SocketHandle kNoSocket = -1;

/// What a bounded wait on a socket found.
enum class Readiness {
  Ready,   ///< the socket is ready (for a connect: connected)
  NotYet,  ///< the wait ran out
  Failed,  ///< the wait failed; for a connect also a refused or reset connection
};

struct SocketCalls {
  /// Makes a non-blocking IPv4 TCP socket, starting the socket library first when it is not
  /// started yet. Ok, StartupFailed or SocketFailed; *socket is kNoSocket unless Ok.
  SocketResult (*open)(SocketHandle* socket);
  /// The first IPv4 address of host (a name or a dotted address), in network byte order; false
  /// when it has none.
  bool (*resolve)(const char* host, uint32_t* address);
  /// Starts connecting to address:port; false when the connect failed at once.
  bool (*startConnect)(SocketHandle socket, uint32_t address, uint16_t port);
  /// One round of waiting for a started connect, about roundMs long.
  Readiness (*waitConnected)(SocketHandle socket, int roundMs);
  /// Waits up to waitMs for data (or a close) to read.
  Readiness (*waitReadable)(SocketHandle socket, int waitMs);
  /// Waits up to waitMs for room to send.
  Readiness (*waitWritable)(SocketHandle socket, int waitMs);
  /// Sends up to size bytes: the count taken, 0 when the socket takes none now, -1 on failure.
  int (*send)(SocketHandle socket, const uint8_t* bytes, int size);
  /// Receives up to size bytes: the count, 0 when nothing is there yet, -1 when the peer closed
  /// the connection or it failed.
  int (*receive)(SocketHandle socket, uint8_t* buffer, int size);
  /// Shuts both directions down and closes; false when closing still failed after its retries.
  /// The handle is gone either way.
  bool (*close)(SocketHandle socket);
};

/// The platform's calls.
const SocketCalls& SystemSocketCalls();
/// The calls in force: the platform's unless a test replaced them.
const SocketCalls& ActiveSocketCalls();
/// Replaces the calls (null restores the platform's). Tests only; not thread-safe.
void SetSocketCallsForTesting(const SocketCalls* calls);

}  // namespace maintenance
