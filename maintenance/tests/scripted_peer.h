// A scripted peer for the connection and HTTP client tests: the socket calls are replaced by a
// queue of scripted connections, each delivering its reply in chosen pieces and recording what the
// client sent; and a TLS library that passes bytes straight through, recording how the connection
// set it up. The real connection and client code runs on top of both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "maintenance/socket_calls.h"
#include "maintenance/tls_library.h"

namespace maintenance::testing {

struct ScriptedConnection {
  std::string reply;            ///< the bytes the peer sends
  std::vector<size_t> cuts;     ///< positions in reply where one receive ends and the next begins
  bool closeAfterReply = true;  ///< after the reply the peer closes; else it falls silent
  bool refuse = false;          ///< the connect is refused
  int sendLimit = 0;            ///< bytes the peer takes per send call (0: all)
  // Filled in by the client's calls:
  std::string host;  ///< the name resolved for this connection
  uint16_t port = 0;
  std::string received;  ///< every byte the client sent
  size_t delivered = 0;
  bool closed = false;
};

/// Installs itself as the socket calls and TLS library while it lives.
class ScriptedPeer {
 public:
  ScriptedPeer();
  ~ScriptedPeer();
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  /// Queues the next connection the client opens.
  ScriptedConnection& Add(std::string reply, std::vector<size_t> cuts = {});

  std::deque<ScriptedConnection> connections;  // a deque: Add's references stay valid
  size_t opened = 0;                           ///< connections the client opened
};

/// How the connection set up and drove the pass-through TLS library.
struct TlsRecord {
  long minVersion = -1;
  long maxVersion = -1;
  int securityLevel = -1;  ///< -1: never set
  std::string serverName;  ///< SNI sent ("" none)
  int connectCalls = 0;
  int shutdownsOfNull = 0;  ///< SSL_shutdown or SSL_free called with no session
  int sessionsFreed = 0;
  int contextsFreed = 0;
  // Faults to play:
  bool failNewSession = false;  ///< SSL_new returns null
  int wantWrites = 0;           ///< SSL_connect answers "want write" this many times first
  int wantReads = 0;            ///< then "want read" this many times (-1: for ever)
};
extern TlsRecord gTls;

}  // namespace maintenance::testing
